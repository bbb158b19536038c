#include "NumberText.h"

#include "DecimalText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr int PlainSignificantDigits = 15;
constexpr double LargestValue = std::numeric_limits<double>::max();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string FitToWidth(std::string text, std::size_t width)
{
    text.resize(width, ' ');
    return text;
}

// European texts swap the roles of the two separators and write the decimal one as '.
std::string ToEuropeanSeparators(std::string text)
{
    for (char& c : text) {
        if (c == ',') c = '.';
        else if (c == '.') c = '\'';
    }
    return text;
}

// Turns "0.<digits> times 10^exponent" into a double, without the C runtime.
double ValueOfDigits(std::string_view digits, std::int64_t exponent, bool negative)
{
    // Beyond these bounds the result is certainly out of a double's range.
    if (exponent > 400) return negative ? -LargestValue : LargestValue;
    if (exponent < -400) return 0.0;

    std::string text = "0.";
    text.append(digits);
    text += 'e';
    text += std::to_string(exponent);
    double value = 0.0;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
    if (parsed.ec == std::errc::result_out_of_range) value = exponent > 0 ? LargestValue : 0.0;
    return negative ? -value : value;
}

}  // namespace

std::string FormatAmount(double value, bool american)
{
    const bool negative = value < 0;
    const CentsDigits rounded = RoundToCents(std::fabs(value));
    std::string text = negative ? "-" : "";
    text += GroupThousands(rounded.IntegerDigits, ',');
    text += '.';
    text += rounded.Cents;
    if (!american) text = ToEuropeanSeparators(std::move(text));
    return FitToWidth(std::move(text), AmountTextWidth);
}

bool IsAmountText(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return true;
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1).find_first_not_of("0123456789.") == std::string_view::npos;
}

double ParseNumber(std::string_view text)
{
    std::size_t i = text.find_first_not_of(" \t\r\n");
    if (i == std::string_view::npos) return 0.0;

    bool negative = false;
    if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';

    std::string digits;  // integer and fraction digits, without the point
    std::int64_t integerDigits = 0;
    bool pointSeen = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            digits += text[i];
            if (!pointSeen) ++integerDigits;
        } else if (text[i] == '.' && !pointSeen) {
            pointSeen = true;
        } else {
            break;
        }
    }

    std::int64_t exponent = 0;
    if (i < text.size() && std::string_view("EeDd").find(text[i]) != std::string_view::npos) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
        for (; j < text.size() && IsDigit(text[j]); ++j)
            if (exponent < 100000) exponent = exponent * 10 + (text[j] - '0');  // stays far beyond any double
        if (negativeExponent) exponent = -exponent;
    }

    const std::size_t firstSignificant = digits.find_first_not_of('0');
    if (firstSignificant == std::string::npos) return 0.0;
    const std::int64_t pointPosition = integerDigits - static_cast<std::int64_t>(firstSignificant);
    return ValueOfDigits(std::string_view(digits).substr(firstSignificant), pointPosition + exponent, negative);
}

std::string PlainNumberText(double value)
{
    if (std::isnan(value) || value == 0) return "0";
    if (std::isinf(value)) value = value < 0 ? -LargestValue : LargestValue;

    DecimalExpansion expansion = ExpandSignificant(std::fabs(value), PlainSignificantDigits);
    std::string& digits = expansion.Digits;
    digits.erase(digits.find_last_not_of('0') + 1);
    const int exponent = expansion.Exponent;

    const int significant = static_cast<int>(digits.size());
    const int decimalPlaces = significant - 1 - exponent;
    std::string text = value < 0 ? "-" : "";
    if (exponent >= PlainSignificantDigits || decimalPlaces > PlainSignificantDigits) {
        text += digits.front();
        if (significant > 1) text += '.' + digits.substr(1);
        text += exponent < 0 ? "E-" : "E+";
        text += std::to_string(std::abs(exponent));
    } else if (exponent < 0) {
        text += '.';
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
    } else {
        const auto integerDigits = static_cast<std::size_t>(exponent + 1);
        if (digits.size() <= integerDigits) {
            text += digits;
            text.append(integerDigits - digits.size(), '0');
        } else {
            text += digits.substr(0, integerDigits) + '.' + digits.substr(integerDigits);
        }
    }
    return text;
}
