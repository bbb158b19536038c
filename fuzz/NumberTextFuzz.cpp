// Every number text of the ledger. ParseNumber and IsAmountText on the input
// as text: the value is finite, blanks before the text and one more non-digit
// after it change nothing, and a text IsAmountText accepts never reads below
// 0. FormatAmount and PlainNumberText on the double made of the input's first
// eight bytes (NaN, infinities, subnormals and negative zero included):
// FormatAmount follows the display pattern of each convention, with a "-"
// exactly for values below 0, and an uncut text is the value to half a cent;
// PlainNumberText is the value to 15 significant digits and reads back as the
// same text.
#include "fuzz/Fuzz.h"

#include "ledger/data/NumberText.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>

using namespace cofrelo;

namespace {

// A 22-character display text of FormatAmount: an optional "-", the integer
// digits grouped by three, the decimal separator and two decimals, then spaces.
// A text too long for 22 characters is cut, so one without padding may stop
// anywhere in that pattern. American: "," and "."; European: "." and "'".
bool IsFormattedAmount(std::string_view text, bool american)
{
    const char group = american ? ',' : '.';
    const std::size_t end = text.find_last_not_of(' ');
    if (text.size() != AmountTextWidth || end == std::string_view::npos) return false;
    const bool mayBeCut = end == AmountTextWidth - 1;
    const std::string_view body = text.substr(text[0] == '-', end + 1 - (text[0] == '-'));
    const std::size_t point = body.find(american ? '.' : '\'');
    const std::string_view integer = body.substr(0, point);
    const std::size_t firstGroup = std::min(integer.find(group), integer.size());
    // Only a zero integer part starts with "0", and then that digit stands alone.
    if (firstGroup == 0 || firstGroup > 3 || (integer[0] == '0' && integer.size() > 1)) return false;
    for (std::size_t i = 0; i < integer.size(); ++i)
        if (i >= firstGroup && (i - firstGroup) % 4 == 0 ? integer[i] != group : !IsDigit(integer[i])) return false;
    if (point == std::string_view::npos) return mayBeCut;
    const std::string_view decimals = body.substr(point + 1);
    return (integer.size() - firstGroup) % 4 == 0 && std::all_of(decimals.begin(), decimals.end(), IsDigit) &&
           (decimals.size() == 2 || (mayBeCut && decimals.size() < 2));
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
    Require(ParseNumber(" \t\r\n" + std::string(text)) == value, "leading blanks change nothing");
    for (const char tail : std::string_view("x .eD-+%"))
        Require(ParseNumber(std::string(text) + tail) == value, "a non-digit after the text changes nothing");

    Require(!IsAmountText(text) || value >= 0, "an accepted amount is not negative");

    double number = 0;
    std::memcpy(&number, text.data(), std::min(text.size(), sizeof number));
    CheckFormatAmount(number, true);
    CheckFormatAmount(number, false);
    CheckPlainNumberText(number);
}
