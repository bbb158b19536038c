// FormatAmount and PlainNumberText on any double made of the input's first
// eight bytes: NaN, infinities, subnormals and negative zero included.
// FormatAmount: exactly 22 characters of the display pattern in both
// conventions; the European text is the American one with its separators
// swapped; a "-" exactly for values below 0; an uncut text is the value to
// half a cent.
// PlainNumberText: the compact pattern without spaces, the value to 15
// significant digits, and PlainNumberText(ParseNumber(t)) == t.
#include "AmountTextChecks.h"
#include "FuzzCheck.h"
#include "data/NumberText.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr std::size_t PlainSignificantDigits = 15;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), IsDigit);
}

std::string WithoutGrouping(std::string_view american)
{
    std::string text;
    for (const char c : american)
        if (c != ',' && c != ' ') text += c;
    return text;
}

bool DifferOnlyInSeparators(std::string_view american, std::string_view european)
{
    if (american.size() != european.size()) return false;
    for (std::size_t i = 0; i < american.size(); ++i) {
        const char a = american[i];
        const char e = european[i];
        const bool same = a == e && a != ',' && a != '.';
        if (!same && !(a == ',' && e == '.') && !(a == '.' && e == '\'')) return false;
    }
    return true;
}

void CheckFormatAmount(double value)
{
    const std::string american = FormatAmount(value, true);
    const std::string european = FormatAmount(value, false);
    Require(IsFormattedAmount(american, true), "the American text follows the display pattern");
    Require(IsFormattedAmount(european, false), "the European text follows the display pattern");
    Require(DifferOnlyInSeparators(american, european), "the conventions differ only in separators");
    Require((american.front() == '-') == (value < 0), "a minus sign exactly for values below 0");

    const bool cut = american.back() != ' ';
    if (cut || !std::isfinite(value)) return;
    const double shown = ParseNumber(WithoutGrouping(american));
    Require(std::fabs(shown - value) <= 0.005 * (1 + 1e-9) + std::fabs(value) * 1e-15,
            "the display text is the value rounded to cents");
}

// d[.ddd] with the last digit not 0, "E", a sign and the exponent's digits.
bool IsExponentForm(std::string_view mantissa, std::string_view exponent)
{
    if (mantissa.empty() || !IsDigit(mantissa[0]) || mantissa[0] == '0') return false;
    if (mantissa.size() > 1) {
        const std::string_view fraction = mantissa.substr(2);
        if (mantissa[1] != '.' || fraction.empty() || !AllDigits(fraction) || fraction.back() == '0') return false;
        if (1 + fraction.size() > PlainSignificantDigits) return false;
    }
    if (exponent.size() < 2 || (exponent[0] != '+' && exponent[0] != '-')) return false;
    return AllDigits(exponent.substr(1)) && exponent[1] != '0';
}

// Integer digits without leading zeros (none below 1), then "." and the
// fraction digits only when there are any, the last of them not 0.
bool IsPlainForm(std::string_view text)
{
    const std::size_t point = text.find('.');
    const std::string_view integer = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    if (!AllDigits(integer) || !AllDigits(fraction)) return false;
    if (!integer.empty() && integer[0] == '0') return false;
    if (point != std::string_view::npos && (fraction.empty() || fraction.back() == '0')) return false;
    if (integer.empty() && fraction.empty()) return false;
    const std::size_t significant = integer.empty() ? fraction.size() - fraction.find_first_not_of('0')
                                                    : integer.size() + fraction.size();
    return integer.size() <= PlainSignificantDigits && fraction.size() <= PlainSignificantDigits &&
           significant <= PlainSignificantDigits;
}

bool IsPlainNumberPattern(std::string_view text)
{
    if (text == "0") return true;
    if (!text.empty() && text.front() == '-') text.remove_prefix(1);
    const std::size_t e = text.find('E');
    if (e == std::string_view::npos) return IsPlainForm(text);
    return IsExponentForm(text.substr(0, e), text.substr(e + 1));
}

void CheckPlainNumberText(double value)
{
    const std::string text = PlainNumberText(value);
    Require(IsPlainNumberPattern(text), "PlainNumberText follows the compact pattern");
    const double stored = ParseNumber(text);
    Require(PlainNumberText(stored) == text, "a stored balance reads back as the same text");
    if (std::isnan(value) || value == 0) {
        Require(text == "0", "zero and NaN are stored as 0");
        return;
    }
    const double finite = std::isinf(value) ? std::copysign(DBL_MAX, value) : value;
    Require(std::fabs(stored - finite) <= 6e-15 * std::fabs(finite), "the text is the value to 15 digits");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    double value = 0;
    std::memcpy(&value, data, std::min(size, sizeof value));
    CheckFormatAmount(value);
    CheckPlainNumberText(value);
    return 0;
}
