// Decimal texts of doubles that come out the same on every build: the digits
// are produced by std::to_chars, never by the C runtime's printf family, whose
// rounding differs between the Windows runtimes.
#pragma once

#include <limits>
#include <string>
#include <string_view>

namespace common {

// What a value beyond a double's range becomes, with its sign.
inline constexpr double LargestDouble = std::numeric_limits<double>::max();

// The value of the longest leading decimal number in a text: blanks, tabs, CR
// and LF skipped, an optional sign, digits with at most one point, an optional
// exponent (E, e, D or d, an optional sign and digits); the rest is ignored and
// a text without digits gives 0. Correctly rounded; beyond a double's range
// the largest double (with its sign), below it 0.
double ReadLeadingNumber(std::string_view text);

// A positive finite value as its first significant digits, correctly rounded:
// value ~ 0.d1d2d3... times 10^(Exponent + 1), that is d1 is worth 10^Exponent.
struct DecimalExpansion {
    std::string Digits;
    int Exponent = 0;
};
DecimalExpansion ExpandSignificant(double magnitude, int significantDigits);

// A non-negative value rounded to hundredths, as decimal digits.
struct CentsDigits {
    std::string IntegerDigits;  // without leading zeros; "0" for a value below 1
    std::string Cents;          // exactly two digits
};

// Rounds to hundredths the way the number masks of both programs do: the value
// is first written with 18 significant digits (correctly rounded), then the
// digits beyond the hundredths decide, an exact half going to the even cent.
// Infinity is taken as the largest finite double and NaN as 0.
CentsDigits RoundToCents(double magnitude);

// Digits grouped by three from the right: ("1234567", ',') gives "1,234,567".
std::string GroupThousands(std::string_view digits, char separator);

}  // namespace common
