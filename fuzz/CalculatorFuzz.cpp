// "Calcular" on any three box texts: the input split at NUL bytes (which no
// edit box holds) into the gross amount, the percentage and the result.
// ReadNumber: finite, and text after the number such as " %" changes nothing.
// CompleteValues: computes exactly when two values are above 0 and one is not,
// keeps the other two, and the three then agree. ComputedText: the masked
// value, " %" after a percentage, or "Fuera de rango".
#include "fuzz/Fuzz.h"

#include "calculator/CalculatorCore.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

using namespace ratiolo;

namespace {

double CheckedReadNumber(std::string_view text)
{
    const double value = ReadNumber(text);
    Require(std::isfinite(value), "a box reads as a finite value");
    Require(ReadNumber(std::string(text) + " %") == value, "text after the number changes nothing");
    return value;
}

}  // namespace

void FuzzOne(std::string_view input)
{
    std::array<double, 3> read{};
    for (double& box : read) {
        const std::size_t end = std::min(input.find('\0'), input.size());
        box = CheckedReadNumber(input.substr(0, end));
        input.remove_prefix(std::min(end + 1, input.size()));
    }
    CalculatorValues values{read[0], read[1], read[2]};
    const MissingValue computed = CompleteValues(values);
    const std::array<double, 3> now{values.GrossAmount, values.Percentage, values.ResultAmount};
    const auto present = std::count_if(read.begin(), read.end(), [](double v) { return v > 0; });
    const auto missing = std::find_if(read.begin(), read.end(), [](double v) { return !(v > 0); }) - read.begin();
    Require(computed == (present == 2 ? static_cast<MissingValue>(missing + 1) : MissingValue::NoValidCombination),
            "the missing value is the one not above 0");
    for (std::size_t i = 0; i < 3; ++i)
        Require(static_cast<int>(i) + 1 == static_cast<int>(computed) ||
                    (now[i] == read[i] && std::signbit(now[i]) == std::signbit(read[i])),
                "the values given are kept");

    const std::string text = ComputedText(computed, values);
    if (computed == MissingValue::NoValidCombination) return Require(text.empty(), "nothing computed, nothing shown");
    const double value = now[static_cast<std::size_t>(computed) - 1];
    Require(value >= 0, "the computed value is not negative");
    if (std::all_of(now.begin(), now.end(), [](double v) { return v > 1e-250 && v < 1e250; }))
        Require(std::fabs(static_cast<long double>(now[0]) * now[1] / 100 - now[2]) <= 1e-15L * now[2],
                "the three values agree");
    if (!std::isfinite(value)) return Require(text == OutOfRangeText, "a value beyond a double shows Fuera de rango");
    Require(text == FormatMask(value) + (computed == MissingValue::Percentage ? " %" : ""),
            "the computed box shows the masked value");
}
