// "Calcular" on any three box texts: the input split at NUL bytes (which no
// edit box holds) into the gross amount, the percentage and the result.
// ReadNumber: never NaN or infinite; an "&" text is a whole number of at least
// 0; text after the number such as " %" changes nothing.
// CompleteValues: computes exactly when two values are above 0 and one is
// not, keeps the other two, and the three then agree with each other.
// ComputedText and FormatMask: only digits, "," and "." in the mask's pattern,
// " %" after a percentage, or "Fuera de rango"; a masked text of a value below
// 1000 reads back as the rounded value, within half a hundredth.
#include "calculator/CalculatorCore.h"
#include "FuzzCheck.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::array<std::string_view, 3> BoxTexts(std::string_view input)
{
    std::array<std::string_view, 3> boxes;
    for (auto& box : boxes) {
        const std::size_t end = std::min(input.find('\0'), input.size());
        box = input.substr(0, end);
        input.remove_prefix(std::min(end + 1, input.size()));
    }
    return boxes;
}

bool StartsWithAmpersand(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && text[first] == '&';
}

double CheckedReadNumber(std::string_view text)
{
    const double value = ReadNumber(text);
    Require(std::isfinite(value), "a box reads as a finite value");
    if (StartsWithAmpersand(text)) Require(value >= 0 && value == std::floor(value), "an & text is a whole number");
    Require(ReadNumber(std::string(text) + " %") == value, "text after the number changes nothing");
    return value;
}

// Digits grouped by three with ",", never a leading 0 unless the integer is 0,
// then "." and at most two decimals, the last of them not 0.
bool IsMaskPattern(std::string_view text)
{
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos) return false;
    const std::string_view integer = text.substr(0, point);
    const std::string_view decimals = text.substr(point + 1);
    if (decimals.size() > 2 || !std::all_of(decimals.begin(), decimals.end(), IsDigit)) return false;
    if (!decimals.empty() && decimals.back() == '0') return false;
    if (integer.empty() || integer.size() % 4 == 0) return false;
    for (std::size_t i = 0; i < integer.size(); ++i) {
        const bool separatorPlace = (integer.size() - i) % 4 == 0;
        if (separatorPlace ? integer[i] != ',' : !IsDigit(integer[i])) return false;
    }
    return integer[0] != '0' || integer.size() == 1;
}

void CheckMask(double value)
{
    const std::string text = FormatMask(value);
    Require(IsMaskPattern(text), "FormatMask follows the mask's pattern");
    if (!std::isfinite(value) || value < 0 || text.find(',') != std::string::npos) return;
    const double readBack = ReadNumber(text);
    Require(std::fabs(readBack - value) <= 0.005 * (1 + 1e-9), "a masked value below 1000 reads back rounded");
    Require(FormatMask(readBack) == text, "the value read back shows the same text");
}

MissingValue ExpectedMissing(const CalculatorValues& values)
{
    const int present = (values.GrossAmount > 0) + (values.Percentage > 0) + (values.ResultAmount > 0);
    if (present != 2) return MissingValue::NoValidCombination;
    if (!(values.GrossAmount > 0)) return MissingValue::GrossAmount;
    if (!(values.Percentage > 0)) return MissingValue::Percentage;
    return MissingValue::ResultAmount;
}

constexpr MissingValue EveryValue[] = {MissingValue::GrossAmount, MissingValue::Percentage, MissingValue::ResultAmount};

double ValueOf(const CalculatorValues& values, MissingValue which)
{
    switch (which) {
    case MissingValue::GrossAmount: return values.GrossAmount;
    case MissingValue::Percentage: return values.Percentage;
    default: return values.ResultAmount;
    }
}

// Whether every value but `changed` is still the one read, bit for bit.
bool KeptExcept(const CalculatorValues& values, const CalculatorValues& read, MissingValue changed)
{
    for (const MissingValue which : EveryValue) {
        const double now = ValueOf(values, which);
        const double before = ValueOf(read, which);
        if (which != changed && (now != before || std::signbit(now) != std::signbit(before))) return false;
    }
    return true;
}

// result = gross * percentage / 100, to the rounding of the one stored value,
// where none of the three is near the ends of a double's range.
void CheckAgreement(const CalculatorValues& values)
{
    const long double gross = values.GrossAmount;
    const long double percentage = values.Percentage;
    const long double result = values.ResultAmount;
    for (const long double value : {gross, percentage, result})
        if (!(value > 1e-250L && value < 1e250L)) return;
    Require(std::fabs(gross * percentage / 100 - result) <= 1e-15L * result, "the three values agree");
}

void CheckComputedText(MissingValue computed, const CalculatorValues& values)
{
    const std::string text = ComputedText(computed, values);
    if (computed == MissingValue::NoValidCombination) {
        Require(text.empty(), "nothing computed, nothing shown");
        return;
    }
    const double value = ValueOf(values, computed);
    if (!std::isfinite(value)) {
        Require(text == OutOfRangeText, "a value beyond a double shows Fuera de rango");
        return;
    }
    const std::string suffix = computed == MissingValue::Percentage ? " %" : "";
    Require(text == FormatMask(value) + suffix, "the computed box shows the masked value");
    CheckMask(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto boxes = BoxTexts(InputText(data, size));
    const CalculatorValues read{CheckedReadNumber(boxes[0]), CheckedReadNumber(boxes[1]), CheckedReadNumber(boxes[2])};
    for (const double value : {read.GrossAmount, read.Percentage, read.ResultAmount}) CheckMask(value);

    CalculatorValues values = read;
    const MissingValue computed = CompleteValues(values);
    Require(computed == ExpectedMissing(read), "the missing value is the one not above 0");
    Require(KeptExcept(values, read, computed), "the values given are kept");
    if (computed != MissingValue::NoValidCombination) {
        Require(ValueOf(values, computed) >= 0, "the computed value is not negative");
        CheckAgreement(values);
    }
    CheckComputedText(computed, values);
    return 0;
}
