// FormatAmount and PlainNumberText on any double made of the input's first
// eight bytes: NaN, infinities, subnormals and negative zero included.
// FormatAmount: the display pattern of each convention, a "-" exactly for
// values below 0, and an uncut text is the value to half a cent.
// PlainNumberText: digits, "." and "E" in the compact form, the value to 15
// significant digits, and PlainNumberText(ParseNumber(t)) == t.
#include "Fuzz.h"

#include "data/NumberText.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>

namespace {

// The number a display text shows, read with ParseNumber.
double Shown(std::string_view text, bool american)
{
    std::string plain;
    for (const char c : text)
        if (IsDigit(c) || c == '-') plain += c;
        else if (c == (american ? '.' : '\'')) plain += '.';
    return ParseNumber(plain);
}

void CheckFormatAmount(double value, bool american)
{
    const std::string text = FormatAmount(value, american);
    Require(IsFormattedAmount(text, american), "the text follows the display pattern");
    Require((text[0] == '-') == (value < 0), "a minus sign exactly for values below 0");
    if (text.back() != ' ' || !std::isfinite(value)) return;
    Require(std::fabs(Shown(text, american) - value) <= 0.005 * (1 + 1e-9) + std::fabs(value) * 1e-15,
            "the display text is the value rounded to cents");
}

// At most 15 significant digits, 15 decimal places and 15 integer digits; no
// zero before them (but for "0" itself) nor at the end of the decimals; an
// exponent ("E", its sign, no leading zero) only after a single leading digit.
bool IsCompact(std::string_view text)
{
    if (text == "0") return true;
    if (text.starts_with('-')) text.remove_prefix(1);
    const std::size_t e = std::min(text.find('E'), text.size());
    const std::string_view mantissa = text.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::string_view integer = mantissa.substr(0, point);
    const std::string_view decimals = mantissa.substr(std::min(point + 1, mantissa.size()));
    const std::string digits = std::string(integer) + std::string(decimals);
    const std::size_t significant = digits.size() - std::min(digits.find_first_not_of('0'), digits.size());
    if (!std::all_of(digits.begin(), digits.end(), IsDigit) || significant == 0 || significant > 15 ||
        integer.starts_with('0') || decimals.size() > 15 ||
        (point < mantissa.size() && (decimals.empty() || decimals.ends_with('0'))))
        return false;
    if (e == text.size()) return true;
    const std::string_view exponent = text.substr(e + 1);
    return integer.size() == 1 && exponent.size() >= 2 && (exponent[0] == '+' || exponent[0] == '-') &&
           exponent[1] != '0' && std::all_of(exponent.begin() + 1, exponent.end(), IsDigit);
}

void CheckPlainNumberText(double value)
{
    const std::string text = PlainNumberText(value);
    Require(IsCompact(text), "PlainNumberText follows the compact pattern");
    const double stored = ParseNumber(text);
    Require(PlainNumberText(stored) == text, "a stored balance reads back as the same text");
    const double finite = std::isnan(value) ? 0 : std::clamp(value, -DBL_MAX, DBL_MAX);
    Require(std::fabs(stored - finite) <= 6e-15 * std::fabs(finite), "the text is the value to 15 digits");
}

}  // namespace

void FuzzOne(std::string_view input)
{
    double value = 0;
    std::memcpy(&value, input.data(), std::min(input.size(), sizeof value));
    CheckFormatAmount(value, true);
    CheckFormatAmount(value, false);
    CheckPlainNumberText(value);
}
