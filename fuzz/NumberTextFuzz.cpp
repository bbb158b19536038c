// Every number text of the ledger. ParseNumber and IsAmountText on the input
// as text: the value is never NaN or infinite and is the one std::from_chars
// gives for the leading number as a scan of its own finds it (beyond a
// double's range 0 or the largest double, with the sign); blanks before the
// text and one more non-digit after it change nothing. IsAmountText holds
// exactly when, without the spaces at both ends, only digits and points are
// left, and such a text never reads below 0.
// FormatAmount and PlainNumberText on the double made of the input's first
// eight bytes (NaN, infinities, subnormals and negative zero included):
// FormatAmount follows the display pattern of each convention, with a "-"
// exactly for values below 0, and an uncut text is the value to half a cent;
// PlainNumberText is the value to 15 significant digits and reads back as
// the same text.
#include "Fuzz.h"

#include "common/DecimalText.h"
#include "data/NumberText.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

namespace {

// The leading number rewritten for std::from_chars, which takes no sign and
// knows only "e" as exponent letter; empty when it has no digits.
std::string LeadingNumber(std::string_view text, bool& negative)
{
    text.remove_prefix(std::min(text.find_first_not_of(" \t\r\n"), text.size()));
    negative = text.starts_with('-');
    if (text.starts_with('-') || text.starts_with('+')) text.remove_prefix(1);
    const std::size_t point = text.find_first_not_of("0123456789");
    const std::size_t end = point < text.size() && text[point] == '.'
                                ? std::min(text.find_first_not_of("0123456789", point + 1), text.size())
                                : std::min(point, text.size());
    std::string number(text.substr(0, end));
    if (number.find_first_of("0123456789") == std::string::npos) return {};
    std::string_view exponent = text.substr(end);
    if (exponent.empty() || std::string_view("EeDd").find(exponent[0]) == std::string_view::npos) return number;
    const std::size_t sign = exponent.size() > 1 && (exponent[1] == '+' || exponent[1] == '-');
    const std::size_t digits = std::min(exponent.find_first_not_of("0123456789", 1 + sign), exponent.size());
    return digits > 1 + sign ? number + "e" + std::string(exponent.substr(1, digits - 1)) : number;
}

void CheckAgainstFromChars(std::string_view text, double value)
{
    bool negative = false;
    const std::string number = LeadingNumber(text, negative);
    double magnitude = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), magnitude);
    if (error == std::errc::result_out_of_range) {
        Require(value == 0 || (std::fabs(value) == DBL_MAX && std::signbit(value) == negative),
                "out of range reads as 0 or the largest double with its sign");
        return;
    }
    Require(number.empty() || end == number.data() + number.size(), "from_chars reads the whole number");
    Require(value == (negative ? -magnitude : magnitude), "the value is that of the leading number");
}

bool DigitsAndPointsBetweenSpaces(std::string_view text)
{
    const std::size_t first = std::min(text.find_first_not_of(' '), text.size());
    const std::string_view inner = text.substr(first, text.find_last_not_of(' ') + 1 - first);
    return std::all_of(inner.begin(), inner.end(), [](char c) { return IsDigit(c) || c == '.'; });
}

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

void CheckPlainNumberText(double value)
{
    const std::string text = PlainNumberText(value);
    const double stored = ParseNumber(text);
    Require(PlainNumberText(stored) == text, "a stored balance reads back as the same text");
    const double finite = std::isnan(value) ? 0 : std::clamp(value, -DBL_MAX, DBL_MAX);
    Require(std::fabs(stored - finite) <= 6e-15 * std::fabs(finite), "the text is the value to 15 digits");
}

}  // namespace

void FuzzOne(std::string_view text)
{
    const double value = ParseNumber(text);
    Require(std::isfinite(value), "the value is finite");
    Require(std::signbit(ReadLeadingNumber(text)) == std::signbit(value) && ReadLeadingNumber(text) == value,
            "ParseNumber is ReadLeadingNumber");
    CheckAgainstFromChars(text, value);
    Require(ParseNumber(" \t\r\n" + std::string(text)) == value, "leading blanks change nothing");
    for (const char tail : std::string_view("x .eD-+%"))
        Require(ParseNumber(std::string(text) + tail) == value, "a non-digit after the text changes nothing");

    const bool accepted = IsAmountText(text);
    Require(accepted == DigitsAndPointsBetweenSpaces(text), "IsAmountText accepts digits and points between spaces");
    Require(!accepted || value >= 0, "an accepted amount is not negative");

    double number = 0;
    std::memcpy(&number, text.data(), std::min(text.size(), sizeof number));
    CheckFormatAmount(number, true);
    CheckFormatAmount(number, false);
    CheckPlainNumberText(number);
}
