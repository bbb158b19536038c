// What Ratiolo does with the texts of its three boxes, without any window:
// reading them as numbers, finding and computing the missing value, and the
// text the computed box shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ratiolo {

// Which of the three values "Calcular" computes, the one the user left out;
// its numbers are those of the window's CalcCase.
enum class MissingValue : std::int16_t {
    NoValidCombination = 0,
    GrossAmount = 1,
    Percentage = 2,
    ResultAmount = 3,
};

// The result amount is the percentage of the gross amount:
// ResultAmount = GrossAmount * Percentage / 100.
struct CalculatorValues {
    double GrossAmount = 0;
    double Percentage = 0;
    double ResultAmount = 0;
};

// What a computed box shows when the value does not fit a double.
inline constexpr std::string_view OutOfRangeText = "Fuera de rango";

// The value of a box's text: leading blanks, tabs, CR and LF skipped, then the
// longest leading number (optional sign, digits with at most one point, an
// optional exponent E, e, D or d); the rest is ignored and a text without
// digits gives 0. A text starting with "&" is a non-negative integer: &H
// hexadecimal, &B binary, &O or &Q octal (letters in either case), and "&"
// directly followed by a digit octal too; its digits end at the first
// character the radix does not have, so a sign there ends it at once.
// Values beyond a double's range give the largest double, tiny ones 0.
double ReadNumber(std::string_view text);

// Finds the one value that is missing (not greater than 0) while the other two
// are present, computes it in extended precision, stores it in values as a
// double and says which one it was. Otherwise values stay as they are.
MissingValue CompleteValues(CalculatorValues& values);

// The text of the box that was computed: the value in the mask
// "###,###,###,###.##" (cents rounded to even, the integer part whole however
// long, always a point, trailing zero decimals dropped), " %" after a
// percentage, or OutOfRangeText when the value is infinite or not a number.
// Empty when nothing was computed.
std::string ComputedText(MissingValue computed, const CalculatorValues& values);

// A value in the mask "###,###,###,###.##": 1234.5 gives "1,234.5", 30 gives "30.".
std::string FormatMask(double value);

}  // namespace ratiolo
