#include "calculator/CalculatorCore.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();
constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();
// MinGW and GCC on x86 evaluate long double in the x87 80-bit format; MSVC's long double is double.
constexpr bool ExtendedPrecision = std::numeric_limits<long double>::digits >= 64;

// What "Calcular" shows for the three box texts: which value it computed and the text of its box.
struct CalcularCase {
    const char* gross;
    const char* percentage;
    const char* result;
    MissingValue computed;
    const char* shown;
};

TEST(Calcular, ComputesTheMissingValueFromTheOtherTwo)
{
    const CalcularCase cases[] = {
        {"200", "15", "", MissingValue::ResultAmount, "30."},   // 200 * 15 / 100
        {"", "15", "30", MissingValue::GrossAmount, "200."},    // 100 * 30 / 15
        {"200", "", "30", MissingValue::Percentage, "15. %"},   // 100 * 30 / 200
        {"-100", "10", "5", MissingValue::GrossAmount, "50."},  // a negative entry counts as missing
        {"0", "15", "30", MissingValue::GrossAmount, "200."},
        {"abc", "15", "30", MissingValue::GrossAmount, "200."},
        {"1", "0.1", "", MissingValue::ResultAmount, "0."},  // below a hundredth
        {"3", "", "1", MissingValue::Percentage, "33.33 %"},
        {"", "7", "1", MissingValue::GrossAmount, "14.29"},
        {"1234567.891", "100", "", MissingValue::ResultAmount, "1,234,567.89"},
        {"1e6", "1e6", "", MissingValue::ResultAmount, "10,000,000,000."},
        {"12.5", "1", "", MissingValue::ResultAmount, "0.12"},  // 0.125: the half goes to the even cent
        {"37.5", "1", "", MissingValue::ResultAmount, "0.38"},  // 0.375
        {"  200 euros", "\t15 %", "", MissingValue::ResultAmount, "30."},
        {"12,5", "10", "", MissingValue::ResultAmount, "1.2"},  // no decimal comma: 12
        {"&HC8", "&O17", "", MissingValue::ResultAmount, "30."},
        // What the program wrote reads back: below 1000 as shown, above only up to the first ",".
        {"200", "15. %", "", MissingValue::ResultAmount, "30."},
        {"1,250.", "10", "", MissingValue::ResultAmount, "0.1"},
        // Results that do not fit a double are not written as numbers.
        {"1e300", "1e300", "", MissingValue::ResultAmount, "Fuera de rango"},
        {"", "1e-300", "1e300", MissingValue::GrossAmount, "Fuera de rango"},
        {"1e-300", "1e-300", "", MissingValue::ResultAmount, "0."},
        // Exactly two values greater than 0, or nothing is computed.
        {"", "", "", MissingValue::NoValidCombination, ""},
        {"200", "", "", MissingValue::NoValidCombination, ""},
        {"", "15", "", MissingValue::NoValidCombination, ""},
        {"", "", "30", MissingValue::NoValidCombination, ""},
        {"200", "15", "30", MissingValue::NoValidCombination, ""},  // so a second press after a result
        {"-200", "-15", "30", MissingValue::NoValidCombination, ""},
        {"x", "15", "y", MissingValue::NoValidCombination, ""},
    };
    for (const auto& c : cases) {
        CalculatorValues values{ReadNumber(c.gross), ReadNumber(c.percentage), ReadNumber(c.result)};
        const MissingValue computed = CompleteValues(values);
        EXPECT_EQ(computed, c.computed) << c.gross << " | " << c.percentage << " | " << c.result;
        EXPECT_EQ(ComputedText(computed, values), c.shown) << c.gross << " | " << c.percentage << " | " << c.result;
    }
}

struct ValuesCase {
    CalculatorValues given;
    MissingValue computed;
    double gross;
    double percentage;
    double result;
    const char* shown;
};

// Exact, with NaN equal to NaN; EXPECT_DOUBLE_EQ would take DBL_MAX for infinity.
bool SameValue(double actual, double expected)
{
    return std::isnan(expected) ? std::isnan(actual) : actual == expected;
}

// Values no box text gives (infinity, NaN) must still end in a sound text.
TEST(CompleteValues, StoresTheComputedValueAndKeepsTheOtherTwo)
{
    const ValuesCase cases[] = {
        {{NotANumber, 10, 5}, MissingValue::GrossAmount, 50, 10, 5, "50."},
        {{Infinity, 10, 0}, MissingValue::ResultAmount, Infinity, 10, Infinity, "Fuera de rango"},
        {{Infinity, 0, Infinity}, MissingValue::Percentage, Infinity, NotANumber, Infinity, "Fuera de rango"},
        {{DBL_MAX, DBL_MAX, -1}, MissingValue::ResultAmount, DBL_MAX, DBL_MAX, Infinity, "Fuera de rango"},
        {{5e-324, 0, DBL_MAX}, MissingValue::Percentage, 5e-324, Infinity, DBL_MAX, "Fuera de rango"},
        {{-0.0, NotANumber, -1}, MissingValue::NoValidCombination, -0.0, NotANumber, -1, ""},
    };
    for (const auto& c : cases) {
        CalculatorValues values = c.given;
        EXPECT_EQ(CompleteValues(values), c.computed) << c.given.GrossAmount << " | " << c.given.Percentage;
        EXPECT_TRUE(SameValue(values.GrossAmount, c.gross)) << values.GrossAmount;
        EXPECT_TRUE(SameValue(values.Percentage, c.percentage)) << values.Percentage;
        EXPECT_TRUE(SameValue(values.ResultAmount, c.result)) << values.ResultAmount;
        EXPECT_EQ(ComputedText(c.computed, values), c.shown);
    }
}

// 100 * 1e307 overflows a double but not the extended format; in doubles
// 100 * 0.01 rounds before the division, extended keeps the product exact and
// the stored result is the correctly rounded quotient. The x87 unit can be set
// to round to 53 bits (MSVC's runtime does so), which would silently make the
// extended evaluation a double one: the precision really in force is checked.
TEST(CompleteValues, EvaluatesInTheFullExtendedPrecisionAndStoresADouble)
{
    if (!ExtendedPrecision) GTEST_SKIP() << "long double is double with this compiler";
    volatile long double one = 1;
    volatile long double smallestStep = std::ldexp(1.0L, -63);
    const long double sum = one + smallestStep;
    EXPECT_EQ(sum - one, smallestStep);
    const std::pair<CalculatorValues, double> cases[] = {{{0, 50, 1e307}, 2e307}, {{0, 9, 0.01}, 0.11111111111111112}};
    for (auto [values, gross] : cases) {
        EXPECT_EQ(CompleteValues(values), MissingValue::GrossAmount);
        EXPECT_EQ(values.GrossAmount, gross);
    }
}

TEST(FormatMask, WritesWholeIntegersGroupedAndOnlyTheDecimalsThatAreNotZero)
{
    const std::pair<double, const char*> cases[] = {
        {30, "30."}, {12.5, "12.5"}, {0.25, "0.25"}, {1234.5, "1,234.5"}, {1234567.891, "1,234,567.89"},
        {0, "0."}, {0.001, "0."}, {0.1, "0.1"}, {0.05, "0.05"}, {100, "100."}, {1000, "1,000."},
        {0.125, "0.12"}, {0.375, "0.38"}, {0.3251, "0.33"}, {2.675, "2.67"},  // the double lies just below 2.675
        {0.005, "0.01"}, {999.995, "1,000."}, {999999.999, "1,000,000."},
        {999999999999.99, "999,999,999,999.99"}, {1e12, "1,000,000,000,000."},
        {123456789012345.67, "123,456,789,012,345.67"}, {1e20, "100,000,000,000,000,000,000."},
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(FormatMask(value), expected) << value;

    const std::string largest = FormatMask(DBL_MAX);
    EXPECT_EQ(largest.size(), 309u + 102u + 1u);  // digits, separators, point
    EXPECT_EQ(largest.substr(0, 24), "179,769,313,486,231,571,");
    EXPECT_EQ(largest.back(), '.');
}

TEST(ReadNumber, ReadsDecimalNumbersAndAmpersandTextsAsIntegersInTheirRadix)
{
    const std::pair<std::string, double> cases[] = {
        // Texts without "&" are decimal numbers, read as the ledger reads them.
        {" \t\r\n7", 7}, {"15. %", 15}, {"1,250.50", 1}, {"-100", -100}, {"1d-2", 0.01}, {"1e999", DBL_MAX},
        {"&H1F", 31}, {"&hff", 255}, {"&HfF", 255}, {"&H9AaFf", 0x9AAFF}, {"&H0123456789abcdef", 0x0123456789abcdefp0},
        {"&B101", 5}, {"&b11", 3}, {"&O17", 15}, {"&o17", 15}, {"&O01234567", 01234567}, {"&01234567", 01234567},
        {"&Q17", 15}, {"&q7", 7}, {"&17", 15}, {"&0", 0}, {"  &H10", 16},
        // Digits end at the first character the radix does not have; the rest is ignored.
        {"&H1G", 1}, {"&B102", 2}, {"&O78", 7}, {"&8", 0}, {"&H10.5", 16}, {"&H1e3", 0x1e3},
        // Without a digit of the radix the text reads as 0; a sign is no digit.
        {"&", 0}, {"&H", 0}, {"&X12", 0}, {"&H-5", 0}, {"&-5", 0}, {"-&H5", 0}, {"& H5", 0},
        // Exact up to 2^53, then correctly rounded, an exact half to even; too large gives the largest double.
        {"&H1FFFFFFFFFFFFF", 9007199254740991}, {"&H20000000000001", 9007199254740992},
        {"&H20000000000003", 9007199254740996}, {"&HFFFFFFFFFFFFFFFF", 18446744073709551616.0},
        {"&B" + std::string(64, '1'), 18446744073709551616.0}, {"&O" + std::string(21, '7') + "1", 0x1p66},
        {"&H" + std::string(300, 'F'), DBL_MAX}, {"&H" + std::string(400, '0') + "1", 1},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ReadNumber(text), expected) << '"' << text << '"';
}

}  // namespace
