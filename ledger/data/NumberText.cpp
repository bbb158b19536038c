#include "ledger/data/NumberText.h"

#include "common/DecimalText.h"

#include <cmath>

namespace cofrelo {

namespace {

constexpr int PlainSignificantDigits = 15;

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

}  // namespace

std::string FormatAmount(double value, bool american)
{
    const bool negative = value < 0;
    const common::CentsDigits rounded = common::RoundToCents(std::fabs(value));
    std::string text = negative ? "-" : "";
    text += common::GroupThousands(rounded.IntegerDigits, ',');
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
    return common::ReadLeadingNumber(text);
}

std::string PlainNumberText(double value)
{
    if (std::isnan(value) || value == 0) return "0";
    if (std::isinf(value)) value = std::copysign(common::LargestDouble, value);

    common::DecimalExpansion expansion = common::ExpandSignificant(std::fabs(value), PlainSignificantDigits);
    std::string& digits = expansion.Digits;
    digits.erase(digits.find_last_not_of('0') + 1);
    const int exponent = expansion.Exponent;

    const int significant = static_cast<int>(digits.size());
    const int decimalPlaces = significant - 1 - exponent;
    std::string text = std::signbit(value) ? "-" : "";
    if (exponent >= PlainSignificantDigits || decimalPlaces > PlainSignificantDigits) {
        text += digits.front();
        if (significant > 1) text += '.' + digits.substr(1);
        // Large values take this form, and small ones, below 1, with their negative exponent.
        text += exponent >= PlainSignificantDigits ? "E+" : "E-";
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

}  // namespace cofrelo
