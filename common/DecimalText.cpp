#include "common/DecimalText.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <memory>

namespace common {

namespace {

constexpr int ExpansionDigits = 18;

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal exponents beyond this are far outside a double's range either way;
// capping them keeps the sum with the point's position from overflowing.
constexpr std::int64_t ExponentLimit = 1'000'000;

// A decimal number as its significant digits d1d2... and the position of its
// point: the value is 0.d1d2... times 10^PointPosition.
struct DecimalParts {
    bool Negative = false;
    std::string Digits;  // without leading zeros; empty for zero
    std::int64_t PointPosition = 0;
};

// Takes a leading "+" or "-" off the text; true for "-".
bool TakeSign(std::string_view& text)
{
    if (text.empty() || (text.front() != '+' && text.front() != '-')) return false;
    const bool negative = text.front() == '-';
    text.remove_prefix(1);
    return negative;
}

// The exponent that may follow a number: E, e, D or d, an optional sign and
// digits. Without digits there is no exponent and the letter ends the number.
std::int64_t ScanExponent(std::string_view text)
{
    if (text.empty() || std::string_view("EeDd").find(text.front()) == std::string_view::npos) return 0;
    text.remove_prefix(1);
    const bool negative = TakeSign(text);
    std::int64_t exponent = 0;
    for (; !text.empty() && IsDecimalDigit(text.front()); text.remove_prefix(1))
        exponent = std::min(exponent * 10 + (text.front() - '0'), ExponentLimit);
    return negative ? -exponent : exponent;
}

DecimalParts ScanDecimal(std::string_view text)
{
    DecimalParts parts;
    parts.Negative = TakeSign(text);

    bool pointSeen = false;
    for (; !text.empty(); text.remove_prefix(1)) {
        const char c = text.front();
        if (c == '.' && !pointSeen) {
            pointSeen = true;
        } else if (!IsDecimalDigit(c)) {
            break;
        } else if (c == '0' && parts.Digits.empty()) {
            if (pointSeen) --parts.PointPosition;
        } else {
            parts.Digits += c;
            if (!pointSeen) ++parts.PointPosition;
        }
    }
    parts.PointPosition += ScanExponent(text);
    return parts;
}

// The value without its sign, correctly rounded by std::from_chars, the same
// in every C++ library.
double MagnitudeOf(const DecimalParts& parts)
{
    if (parts.Digits.empty()) return 0;
    char exponent[24];
    const auto written = std::to_chars(exponent, exponent + sizeof exponent, parts.PointPosition);
    const std::string text = "0." + parts.Digits + 'e' + std::string(exponent, written.ptr);
    double value;  // from_chars sets it unless it fails
    const auto parsed = std::from_chars(std::to_address(text.begin()), std::to_address(text.end()), value);
    // 0.d1d2... is below 1, so only a positive position can overflow; a negative one underflows to 0.
    if (parsed.ec == std::errc::result_out_of_range) return parts.PointPosition > 0 ? LargestDouble : 0;
    return value;
}

double ValueOf(const DecimalParts& parts)
{
    const double magnitude = MagnitudeOf(parts);
    return parts.Negative ? -magnitude : magnitude;
}

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
    if (std::isinf(magnitude)) magnitude = LargestDouble;

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

    // The last two digits are the cents, filled up with zeros; the digits
    // before them, which never start with a zero, the integer part.
    const auto integerLength = static_cast<std::size_t>(std::max<std::ptrdiff_t>(std::ssize(hundredths) - 2, 0));
    CentsDigits result;
    result.IntegerDigits = integerLength == 0 ? "0" : hundredths.substr(0, integerLength);
    result.Cents = hundredths.substr(integerLength);
    result.Cents.insert(0, 2 - result.Cents.size(), '0');
    return result;
}

std::string GroupThousands(std::string_view digits, char separator)
{
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += separator;
        grouped += digits[i];
    }
    return grouped;
}

double ReadLeadingNumber(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) return 0;
    return ValueOf(ScanDecimal(text.substr(start)));
}

}  // namespace common
