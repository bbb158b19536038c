#include "common/DecimalText.h"
#include "ledger/data/NumberText.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <limits>

using namespace cofrelo;

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();
constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();

TEST(FormatAmount, GroupsRoundsCutsAndPadsInBothConventions)
{
    const struct { double value; const char* american; const char* european; } cases[] = {
        {1000000000, "1,000,000,000.00", "1.000.000.000'00"}, {-0.5, "-0.50", "-0'50"}, {0, "0.00", "0'00"},
        {999.995, "1,000.00", "1.000'00"}, {123456.789, "123,456.79", "123.456'79"}, {NotANumber, "0.00", "0'00"},
        {99999999999.999, "100,000,000,000.00", "100.000.000.000'00"},
        // An exact half (in 18 significant digits) goes to the even cent, anything above it up.
        {0.125, "0.12", "0'12"}, {0.375, "0.38", "0'38"}, {0.3251, "0.33", "0'33"},
        {1000.245, "1,000.24", "1.000'24"}, {1000.255, "1,000.26", "1.000'26"},  // halves in 18 digits, not exactly
        {0.1255, "0.13", "0'13"}, {2.675, "2.67", "2'67"}, {1.005, "1.00", "1'00"},  // the doubles lie just below
        {0.005, "0.01", "0'01"}, {0.0049, "0.00", "0'00"}, {5e-324, "0.00", "0'00"},  // 0.005 lies just above
        {-0.001, "-0.00", "-0'00"},  // the sign is kept
        // Beyond 18 significant digits only zeros; beyond 22 characters cut.
        {1.5e16, "15,000,000,000,000,000", "15.000.000.000.000.000"},
        {Infinity, "179,769,313,486,231,57", "179.769.313.486.231.57"},  // the largest double
        {-DBL_MAX, "-179,769,313,486,231,5", "-179.769.313.486.231.5"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormatAmount(c.value, true), Field(c.american, AmountTextWidth)) << c.value;
        EXPECT_EQ(FormatAmount(c.value, false), Field(c.european, AmountTextWidth)) << c.value;
    }
}

TEST(IsAmountText, AcceptsDigitsAndPointsBetweenSpacesOnly)
{
    const std::pair<std::string, bool> cases[] = {
        {"12.50", true}, {" 7 ", true}, {"", true}, {"      ", true}, {"1.2.3", true}, {"0123456789", true},
        {"150" + std::string(19, ' '), true}, {"12,50", false}, {"-3", false}, {"1 000", false}, {"12a", false},
        {"\t7", false}, {"7\t", false}, {"+5", false}, {"1e5", false}, {"/", false}, {":", false}};
    for (const auto& [text, expected] : cases) EXPECT_EQ(IsAmountText(text), expected) << '"' << text << '"';
}

// The number reader of both programs: the ledger's ParseNumber and, for texts
// without "&", the calculator's ReadNumber.
TEST(ReadLeadingNumber, ReadsTheLongestLeadingNumber)
{
    const std::pair<std::string, double> cases[] = {
        {"+1250.5", 1250.5}, {"-30", -30}, {"1.2.3", 1.2}, {"", 0}, {"+", 0}, {"--5", 0}, {".", 0}, {"+.5", 0.5},
        {"30.", 30}, {"007", 7}, {"0.05", 0.05}, {"150" + std::string(19, ' '), 150}, {" \t\r\n7", 7}, {"1,250.50", 1},
        {"1e3", 1000}, {"1D2", 100}, {"1d-2", 0.01}, {"2E+2", 200}, {"1e", 1}, {"1e+", 1}, {"1.5e2.5", 150},
        {".5e1", 5}, {"e5", 0}, {"inf", 0}, {"nan", 0}, {"\xA0" "5", 0}, {"0.30000000000000004", 0.30000000000000004},
        {"0e999", 0}, {"1e-999", 0}, {"1e999", DBL_MAX}, {"-1e999", -DBL_MAX}, {"1e-320", 1e-320},
        {"1e99999999999999999999", DBL_MAX}, {"1e-99999999999999999999", 0}, {"1" + std::string(400, '0'), DBL_MAX},
        {"0." + std::string(400, '0') + "1", 0}, {"1" + std::string(400, '0') + "e-400", 1},
        {"0." + std::string(20000, '0') + "1e20005", 10000},  // the exponent makes up for the zeros
        {"1.79769313486232E+308", DBL_MAX}, {"4.94065645841247E-324", 5e-324}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(common::ReadLeadingNumber(text), expected) << '"' << text << '"';
    // A field of a record is no C string: the digits of the next field are not read.
    EXPECT_EQ(common::ReadLeadingNumber(std::string_view("129", 2)), 12);
    EXPECT_EQ(common::ReadLeadingNumber(std::string_view("1e59", 3)), 1e5);
}

TEST(PlainNumberText, WritesFifteenSignificantDigitsCompactly)
{
    const std::pair<double, const char*> cases[] = {
        {1220.5, "1220.5"}, {0.3, ".3"}, {0.1 + 0.2, ".3"}, {1.0 / 3, ".333333333333333"}, {-0.0, "0"}, {-30, "-30"},
        {-0.5, "-.5"}, {0.05, ".05"}, {999999999999999, "999999999999999"}, {123456789012345.6, "123456789012346"},
        {1e15, "1E+15"}, {1.5e15, "1.5E+15"}, {1e-15, ".000000000000001"}, {1.5e-15, "1.5E-15"}, {NotANumber, "0"},
        {0.000123456789012345, "1.23456789012345E-4"}, {0.123456789012345, ".123456789012345"},
        {DBL_MAX, "1.79769313486232E+308"}, {5e-324, "4.94065645841247E-324"}, {Infinity, "1.79769313486232E+308"}};
    for (const auto& [value, expected] : cases) EXPECT_EQ(PlainNumberText(value), expected) << value;
}

}  // namespace
