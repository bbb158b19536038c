#include "DecimalText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr int ExpansionDigits = 18;

// Adds one to a string of decimal digits.
void Increment(std::string& digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Whether the dropped digits make the kept ones go up; an exact half goes to
// the even digit.
bool RoundsUp(std::string_view dropped, char lastKept)
{
    if (dropped.empty() || dropped.front() < '5') return false;
    if (dropped.front() > '5') return true;
    if (dropped.substr(1).find_first_not_of('0') != std::string_view::npos) return true;
    return (lastKept - '0') % 2 == 1;
}

}  // namespace

DecimalExpansion ExpandSignificant(double magnitude, int significantDigits)
{
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, magnitude,
                                       std::chars_format::scientific, significantDigits - 1);
    const std::string_view scientific(text, static_cast<std::size_t>(written.ptr - text));
    const std::size_t e = scientific.find('e');

    DecimalExpansion expansion;
    for (char c : scientific.substr(0, e))
        if (c != '.') expansion.Digits += c;
    std::string_view exponent = scientific.substr(e + 1);
    if (exponent.front() == '+') exponent.remove_prefix(1);
    std::from_chars(exponent.data(), exponent.data() + exponent.size(), expansion.Exponent);
    return expansion;
}

CentsDigits RoundToCents(double magnitude)
{
    if (std::isnan(magnitude) || magnitude <= 0) return {"0", "00"};
    if (std::isinf(magnitude)) magnitude = std::numeric_limits<double>::max();

    const DecimalExpansion expansion = ExpandSignificant(magnitude, ExpansionDigits);
    // Digit i of the expansion is worth 10^(Exponent - i): the hundredths are digit Exponent + 2.
    const int lastKept = expansion.Exponent + 2;

    std::string hundredths;  // the value times 100, rounded
    if (lastKept >= ExpansionDigits - 1) {
        hundredths = expansion.Digits + std::string(static_cast<std::size_t>(lastKept - (ExpansionDigits - 1)), '0');
    } else if (lastKept >= -1) {
        const auto kept = static_cast<std::size_t>(lastKept + 1);
        hundredths = expansion.Digits.substr(0, kept);
        const char lastKeptDigit = hundredths.empty() ? '0' : hundredths.back();
        if (hundredths.empty()) hundredths = "0";
        if (RoundsUp(std::string_view(expansion.Digits).substr(kept), lastKeptDigit)) Increment(hundredths);
    } else {
        hundredths = "0";  // below a thousandth: always rounds down to 0
    }

    if (hundredths.size() < 3) hundredths.insert(0, 3 - hundredths.size(), '0');
    CentsDigits result;
    result.Cents = hundredths.substr(hundredths.size() - 2);
    result.IntegerDigits = hundredths.substr(0, hundredths.size() - 2);
    const std::size_t firstSignificant = result.IntegerDigits.find_first_not_of('0');
    result.IntegerDigits = firstSignificant == std::string::npos ? "0" : result.IntegerDigits.substr(firstSignificant);
    return result;
}

std::string GroupThousands(std::string_view digits, char separator)
{
    std::string grouped;
    grouped.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += separator;
        grouped += digits[i];
    }
    return grouped;
}
