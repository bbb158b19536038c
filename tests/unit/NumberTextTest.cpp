#include "common/DecimalText.h"
#include "data/NumberText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {

constexpr bool American = true;
constexpr bool European = false;

std::string Padded(std::string text)
{
    text.resize(AmountTextWidth, ' ');
    return text;
}

struct FormatCase {
    double value;
    const char* american;
    const char* european;
};

TEST(FormatAmount, GroupsRoundsAndPadsInBothConventions)
{
    const FormatCase cases[] = {
        {1234567.5, "1,234,567.50", "1.234.567'50"},
        {1000000000, "1,000,000,000.00", "1.000.000.000'00"},
        {30, "30.00", "30'00"},
        {-30, "-30.00", "-30'00"},
        {0.5, "0.50", "0'50"},
        {0, "0.00", "0'00"},
        {-0.5, "-0.50", "-0'50"},
        {999.995, "1,000.00", "1.000'00"},
        // An exact half goes to the even cent; anything else to the nearest.
        {0.125, "0.12", "0'12"},
        {0.375, "0.38", "0'38"},
        {2.675, "2.67", "2'67"},  // the double lies just below 2.675
        {0.005, "0.01", "0'01"},  // the double lies just above 0.005
        {1.005, "1.00", "1'00"},  // just below
        {0.0049, "0.00", "0'00"},
        {0.0001, "0.00", "0'00"},
        {1e-300, "0.00", "0'00"},
        {-0.001, "-0.00", "-0'00"},  // a negative value keeps its sign
        {999, "999.00", "999'00"},
        {1000, "1,000.00", "1.000'00"},
        {123456.789, "123,456.79", "123.456'79"},
        {99999999999.999, "100,000,000,000.00", "100.000.000.000'00"},
        // Beyond 18 significant digits the expansion has zeros only.
        // Texts longer than 22 characters are cut.
        {1.5e16, "15,000,000,000,000,000", "15.000.000.000.000.000"},
        {1e20, "100,000,000,000,000,00", "100.000.000.000.000.00"},
        {-1e20, "-100,000,000,000,000,0", "-100.000.000.000.000.0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatAmount(c.value, American), Padded(c.american)) << c.value;
        EXPECT_EQ(FormatAmount(c.value, European), Padded(c.european)) << c.value;
    }
}

TEST(FormatAmount, IsAlwaysTwentyTwoCharactersEvenForValuesOutOfRange)
{
    const double values[] = {DBL_MAX, -DBL_MAX, std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
                             DBL_MIN, 5e-324};
    for (double value : values) {
        EXPECT_EQ(FormatAmount(value, American).size(), AmountTextWidth) << value;
        EXPECT_EQ(FormatAmount(value, European).size(), AmountTextWidth) << value;
    }
    EXPECT_EQ(FormatAmount(std::numeric_limits<double>::infinity(), American), FormatAmount(DBL_MAX, American));
    EXPECT_EQ(FormatAmount(std::numeric_limits<double>::quiet_NaN(), American), Padded("0.00"));
}

TEST(FormatAmount, SwitchingTheConventionChangesOnlyTheSeparators)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> amounts(-1e12, 1e12);
    for (int i = 0; i < 2000; ++i) {
        const double value = amounts(random);
        std::string american = FormatAmount(value, American);
        for (char& c : american) c = c == ',' ? '.' : c == '.' ? '\'' : c;
        EXPECT_EQ(american, FormatAmount(value, European)) << value;
    }
}

TEST(IsAmountText, AcceptsDigitsAndPointsBetweenSpacesOnly)
{
    const std::pair<const char*, bool> cases[] = {
        {"12.50", true}, {" 7 ", true}, {"..", true}, {"", true}, {"      ", true}, {"1.2.3", true},
        {"12,50", false}, {"-3", false}, {"1 000", false}, {"12a", false}, {"\t7", false}, {"7\t", false},
        {"+5", false}, {"1e5", false},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(IsAmountText(text), expected) << '"' << text << '"';
    EXPECT_TRUE(IsAmountText(std::string("150") + std::string(19, ' ')));
}

TEST(ParseNumber, ReadsTheLongestLeadingNumber)
{
    const std::pair<std::string, double> cases[] = {
        {"+1250.5", 1250.5}, {"-30", -30}, {"1.2.3", 1.2}, {".5", 0.5}, {"", 0}, {"+", 0}, {"*", 0},
        {"150" + std::string(19, ' '), 150}, {" \t\r\n7", 7}, {"12abc", 12}, {"12.5 %", 12.5}, {"12,5", 12},
        {"1,250.50", 1}, {"1e3", 1000}, {"1E3", 1000}, {"1D2", 100}, {"1d-2", 0.01}, {"2E+2", 200},
        {"1e", 1}, {"1e+", 1}, {"1.5x3", 1.5}, {"- 5", 0}, {"--5", 0}, {".", 0}, {"+.5", 0.5}, {"0.1", 0.1},
        {"007", 7}, {"00000000000000000000000000001", 1}, {"0.30000000000000004", 0.30000000000000004},
        {"1e-999", 0}, {"1e999", DBL_MAX}, {"-1e999", -DBL_MAX}, {"1e99999999999999999999", DBL_MAX},
        {"1" + std::string(400, '0'), DBL_MAX}, {"0." + std::string(400, '0') + "1", 0},
        {"1.79769313486232E+308", DBL_MAX}, {"4.94065645841247E-324", 5e-324},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseNumber(text), expected) << '"' << text << '"';
}

TEST(PlainNumberText, WritesFifteenSignificantDigitsCompactly)
{
    const std::pair<double, const char*> cases[] = {
        {1220.5, "1220.5"}, {0.3, ".3"}, {100, "100"}, {0.1 + 0.2, ".3"}, {1.0 / 3, ".333333333333333"},
        {0, "0"}, {-0.0, "0"}, {-30, "-30"}, {-0.5, "-.5"}, {0.05, ".05"},
        {999999999999999, "999999999999999"}, {123456789012345.6, "123456789012346"},
        {1e15, "1E+15"}, {1.5e15, "1.5E+15"}, {1e16, "1E+16"}, {-1e15, "-1E+15"},
        {0.1 + 0.2 - 0.3, "5.55111512312578E-17"}, {1e-15, ".000000000000001"}, {1.5e-15, "1.5E-15"},
        {0.000123456789012345, "1.23456789012345E-4"}, {0.123456789012345, ".123456789012345"},
        {1234567.891, "1234567.891"}, {DBL_MAX, "1.79769313486232E+308"}, {5e-324, "4.94065645841247E-324"},
        {std::numeric_limits<double>::infinity(), "1.79769313486232E+308"},
        {std::numeric_limits<double>::quiet_NaN(), "0"},
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(PlainNumberText(value), expected) << value;
}

// What PlainNumberText wrote reads back as the same text: a stored balance
// survives any number of reads and writes of the ledger file.
TEST(PlainNumberText, ReadsBackAsTheSameText)
{
    std::mt19937_64 random(2026);
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_int_distribution<std::int64_t> cents(-100000000000, 100000000000);
    for (int i = 0; i < 200000; ++i) {
        double value;
        if (i % 2 == 0) {
            const std::uint64_t pattern = bits(random);
            std::memcpy(&value, &pattern, sizeof value);
            if (!std::isfinite(value)) continue;
        } else {
            value = static_cast<double>(cents(random)) / 100;  // amounts as users type them
        }
        const std::string text = PlainNumberText(value);
        ASSERT_EQ(PlainNumberText(ParseNumber(text)), text) << "value " << value;
    }
}

TEST(RoundToCents, KeepsEveryIntegerDigitOfHugeValues)
{
    const CentsDigits largest = RoundToCents(DBL_MAX);
    EXPECT_EQ(largest.IntegerDigits.size(), 309u);
    EXPECT_EQ(largest.IntegerDigits.substr(0, 18), "179769313486231571");
    EXPECT_EQ(largest.IntegerDigits.substr(18).find_first_not_of('0'), std::string::npos);
    EXPECT_EQ(largest.Cents, "00");
}

TEST(GroupThousands, SeparatesGroupsOfThreeFromTheRight)
{
    const std::pair<const char*, const char*> cases[] = {
        {"0", "0"}, {"999", "999"}, {"1000", "1,000"}, {"123456", "123,456"}, {"1234567", "1,234,567"},
    };
    for (const auto& [digits, expected] : cases) EXPECT_EQ(GroupThousands(digits, ','), expected);
}

}  // namespace
