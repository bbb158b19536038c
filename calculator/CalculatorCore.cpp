#include "calculator/CalculatorCore.h"

#include "common/DecimalText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>

namespace ratiolo {

// Storing an extended result that is too large as a double must give infinity,
// as IEEE 754 has it, for ComputedText to tell the user.
static_assert(std::numeric_limits<double>::is_iec559);

namespace {

constexpr int NoDigit = std::numeric_limits<int>::max();

// NoDigit for a character that is a digit of none of the radixes read here.
int DigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return NoDigit;
}

// The bits of the leading digits of radix 2^bitsPerDigit, most significant first.
std::string LeadingBits(std::string_view digits, int bitsPerDigit)
{
    std::string bits;
    for (char c : digits) {
        const int value = DigitValue(c);
        if (value >= (1 << bitsPerDigit)) break;
        for (int bit = bitsPerDigit - 1; bit >= 0; --bit) bits += (value >> bit) & 1 ? '1' : '0';
    }
    return bits;
}

// The integer written by these bits, correctly rounded: every radix here is a
// power of two, so the bits regrouped by four are its hexadecimal digits,
// which std::from_chars reads exactly however many there are.
double IntegerOfBits(std::string bits)
{
    if (bits.empty()) return 0;
    bits.insert(0, (4 - bits.size() % 4) % 4, '0');
    std::string hexDigits;
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        int nibble = 0;
        for (std::size_t j = i; j < i + 4; ++j) nibble = nibble * 2 + (bits[j] - '0');
        hexDigits += "0123456789abcdef"[nibble];
    }
    double value;  // from_chars sets it unless it fails
    const auto parsed = std::from_chars(std::to_address(hexDigits.begin()), std::to_address(hexDigits.end()), value,
                                        std::chars_format::hex);
    return parsed.ec == std::errc::result_out_of_range ? common::LargestDouble : value;
}

// The integer after "&": a letter names the radix, digits right after the
// ampersand are octal; anything else reads as 0.
double ReadRadixInteger(std::string_view text)
{
    if (text.empty()) return 0;
    switch (text.front()) {
    case 'H':
    case 'h':
        return IntegerOfBits(LeadingBits(text.substr(1), 4));
    case 'B':
    case 'b':
        return IntegerOfBits(LeadingBits(text.substr(1), 1));
    case 'O':
    case 'o':
    case 'Q':
    case 'q':
        return IntegerOfBits(LeadingBits(text.substr(1), 3));
    default:  // octal digits right after the ampersand
        return IntegerOfBits(LeadingBits(text, 3));
    }
}

// Present means greater than 0: zero, negative and unreadable entries (and a
// value that is not a number) count as missing.
MissingValue FindMissingValue(const CalculatorValues& values)
{
    const bool gross = values.GrossAmount > 0;
    const bool percentage = values.Percentage > 0;
    const bool result = values.ResultAmount > 0;
    if (gross && percentage && !result) return MissingValue::ResultAmount;
    if (gross && result && !percentage) return MissingValue::Percentage;
    if (percentage && result && !gross) return MissingValue::GrossAmount;
    return MissingValue::NoValidCombination;
}

std::string MaskedOrOutOfRange(double value, std::string_view suffix)
{
    if (!std::isfinite(value)) return std::string(OutOfRangeText);
    return FormatMask(value) + std::string(suffix);
}

}  // namespace

double ReadNumber(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) return 0;
    text.remove_prefix(start);
    if (text.front() == '&') return ReadRadixInteger(text.substr(1));
    return common::ReadLeadingNumber(text);
}

MissingValue CompleteValues(CalculatorValues& values)
{
    // With MinGW and GCC on x86 long double is the x87 80-bit format, so
    // 100 * 1e307 / 50 still gives 2e307; with MSVC it is double, and such an
    // intermediate overflows.
    using Extended = long double;
    const Extended gross = values.GrossAmount;
    const Extended percentage = values.Percentage;
    const Extended result = values.ResultAmount;

    const MissingValue missing = FindMissingValue(values);
    switch (missing) {
    case MissingValue::GrossAmount:
        values.GrossAmount = static_cast<double>(100 * result / percentage);
        break;
    case MissingValue::Percentage:
        values.Percentage = static_cast<double>(100 * result / gross);
        break;
    case MissingValue::ResultAmount:
        values.ResultAmount = static_cast<double>(gross * percentage / 100);
        break;
    case MissingValue::NoValidCombination:
        break;
    }
    return missing;
}

std::string ComputedText(MissingValue computed, const CalculatorValues& values)
{
    switch (computed) {
    case MissingValue::GrossAmount:
        return MaskedOrOutOfRange(values.GrossAmount, "");
    case MissingValue::Percentage:
        return MaskedOrOutOfRange(values.Percentage, " %");
    case MissingValue::ResultAmount:
        return MaskedOrOutOfRange(values.ResultAmount, "");
    case MissingValue::NoValidCombination:
        break;
    }
    return {};
}

std::string FormatMask(double value)
{
    const common::CentsDigits rounded = common::RoundToCents(value);
    const std::string& cents = rounded.Cents;
    return common::GroupThousands(rounded.IntegerDigits, ',') + '.' + cents.substr(0, cents.find_last_not_of('0') + 1);
}

}  // namespace ratiolo
