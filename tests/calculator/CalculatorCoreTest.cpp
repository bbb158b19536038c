#include "calculator/CalculatorCore.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

using namespace ratiolo;

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();
constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();

// Equal, sign included: NaN equals NaN, and -0.0 is not 0.
bool Same(double a, double b) { return std::signbit(a) == std::signbit(b) && (a == b || (a != a && b != b)); }

// "Calcular": which value is computed from the other two and the text its box
// shows; the two given values stay as they were. Values no box text gives
// (infinity, NaN) must still end in a sound text.
TEST(CompleteValues, ComputesTheMissingValueFromTheOtherTwo)
{
    using enum MissingValue;
    const std::string OutOfRange(OutOfRangeText);
    const struct { CalculatorValues given; MissingValue computed; std::string shown; } cases[] = {
        {{200, 15, 0}, ResultAmount, "30."}, {{0, 15, 30}, GrossAmount, "200."}, {{200, 0, 30}, Percentage, "15. %"},
        {{-100, 10, 5}, GrossAmount, "50."}, {{NotANumber, 10, 5}, GrossAmount, "50."},  // counted as missing
        {{3, 0, 1}, Percentage, "33.33 %"}, {{0, 7, 1}, GrossAmount, "14.29"},
        // Results that do not fit a double are not written as numbers; those too small for one are 0.
        {{1e300, 1e300, 0}, ResultAmount, OutOfRange}, {{0, 1e-300, 1e300}, GrossAmount, OutOfRange},
        {{5e-324, 0, DBL_MAX}, Percentage, OutOfRange}, {{Infinity, 0, Infinity}, Percentage, OutOfRange},
        {{1e-300, 1e-300, 0}, ResultAmount, "0."},
        // Exactly two values greater than 0, or nothing is computed: so a second press after a result does nothing.
        {{200, 0, 0}, NoValidCombination, ""}, {{0, 15, 0}, NoValidCombination, ""},
        {{0, 0, 30}, NoValidCombination, ""}, {{200, 15, 30}, NoValidCombination, ""}};
    for (const auto& c : cases) {
        const CalculatorValues& given = c.given;
        CalculatorValues values = given;
        const MissingValue computed = CompleteValues(values);
        SCOPED_TRACE(testing::Message() << given.GrossAmount << ' ' << given.Percentage << ' ' << given.ResultAmount);
        EXPECT_EQ(computed, c.computed);
        EXPECT_EQ(ComputedText(computed, values), c.shown);
        EXPECT_TRUE(computed == GrossAmount || Same(values.GrossAmount, given.GrossAmount));
        EXPECT_TRUE(computed == Percentage || Same(values.Percentage, given.Percentage));
        EXPECT_TRUE(computed == ResultAmount || Same(values.ResultAmount, given.ResultAmount));
    }
}

// 100 * 1e307 overflows a double but not the extended format; in doubles
// 100 * 0.01 rounds before the division, extended keeps the product exact and
// the stored result is the correctly rounded quotient. The x87 unit can be set
// to round to 53 bits (MSVC's runtime does so), which would silently make the
// extended evaluation a double one: the precision really in force is checked.
TEST(CompleteValues, EvaluatesInTheFullExtendedPrecisionAndStoresADouble)
{
    // MinGW and GCC on x86 evaluate long double in the x87 80-bit format; MSVC's long double is double.
    if (std::numeric_limits<long double>::digits < 64) GTEST_SKIP() << "long double is double with this compiler";
    volatile long double one = 1, smallestStep = std::ldexp(1.0L, -63);
    EXPECT_EQ(one + smallestStep - one, smallestStep);
    const std::pair<CalculatorValues, double> cases[] = {{{0, 50, 1e307}, 2e307}, {{0, 9, 0.01}, 0.11111111111111112}};
    for (auto [values, gross] : cases) {
        EXPECT_EQ(CompleteValues(values), MissingValue::GrossAmount);
        EXPECT_EQ(values.GrossAmount, gross);
    }
}

// The cents are rounded as the ledger's amounts are (FormatAmount's tests): only
// the cents' trailing zeros, the whole integer part and the sign of 0 are its own.
TEST(FormatMask, WritesWholeIntegersGroupedAndOnlyTheDecimalsThatAreNotZero)
{
    const std::pair<double, const char*> cases[] = {
        {30, "30."}, {12.5, "12.5"}, {0.05, "0.05"}, {-0.0, "0."}, {1234567.891, "1,234,567.89"},
        {1e20, "100,000,000,000,000,000,000."}};
    for (const auto& [value, expected] : cases) EXPECT_EQ(FormatMask(value), expected) << value;

    EXPECT_EQ(FormatMask(DBL_MAX).size(), 309u + 102u + 1u);  // digits, separators, point
}

TEST(ReadNumber, ReadsDecimalNumbersAndAmpersandTextsAsIntegersInTheirRadix)
{
    const std::pair<std::string, double> cases[] = {
        // Texts without "&" are decimal numbers, read as the ledger reads them (ReadLeadingNumber's tests);
        // blanks before "&" are skipped. Each radix letter in either case; octal digits right after "&".
        {" \t\r\n200 euros", 200}, {"", 0}, {"  &H10", 16}, {"&H1F", 31}, {"&hff", 255}, {"&H9AaFf", 0x9AAFF},
        {"&H0123456789abcdef", 0x0123456789abcdefp0}, {"&B101", 5}, {"&b11", 3}, {"&o17", 15}, {"&Q17", 15},
        {"&q7", 7}, {"&O01234567", 01234567}, {"&01234567", 01234567}, {"&0", 0},
        // Digits end at the first character the radix does not have; the rest is ignored.
        {"&H1G", 1}, {"&B102", 2}, {"&O78", 7}, {"&8", 0}, {"&H1e3", 0x1e3},
        // Without a digit of the radix the text reads as 0; a sign is no digit.
        {"&", 0}, {"&H", 0}, {"&X12", 0}, {"&H-5", 0}, {"-&H5", 0}, {"& H5", 0},
        // Exact up to 2^53, then correctly rounded, an exact half to even; too large gives the largest double.
        {"&H1FFFFFFFFFFFFF", 9007199254740991}, {"&H20000000000001", 9007199254740992},
        {"&H20000000000003", 9007199254740996}, {"&HFFFFFFFFFFFFFFFF", 18446744073709551616.0},
        {"&B" + std::string(64, '1'), 18446744073709551616.0}, {"&O" + std::string(21, '7') + "1", 0x1p66},
        {"&H" + std::string(300, 'F'), DBL_MAX}, {"&H" + std::string(400, '0') + "1", 1}};
    for (const auto& [text, expected] : cases) EXPECT_EQ(ReadNumber(text), expected) << '"' << text << '"';
}

}  // namespace
