#include "ledger/files/RtfExport.h"
#include "ledger/files/TextExport.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <vector>

using namespace cofrelo;

namespace {

const std::string Stars22(22, '*');

// One line of the text export, column by column.
std::string TextLine(const std::string& date, const std::string& description, const std::string& amount,
                     const std::string& balance)
{
    return Field(date, 14) + " " + Field(description, 100) + " " + Field(amount, 22) + std::string(8, ' ') +
           Field(balance, 22) + "\r\n";
}

TEST(TextExportContents, WritesOneFixedColumnLinePerMovement)
{
    const struct { const char* what; std::string records; bool american; std::string expected; } cases[] = {
        {"a saving, American", SavingRecord, true, TextLine("05/12/2026", "Nomina", "1,250.50", "1,250.50")},
        {"saving, expense and comment, European", SavingRecord + ExpenseRecord + CommentRecord, false,
         TextLine("05/12/2026", "Nomina", "1.250'50", "1.250'50") +
             TextLine("06/12/2026", "Cena", "-30'00", "1.220'50") + TextLine("07/12/2026", "Nota", Stars22, Stars22)},
        // RTF characters and bytes above 127 as stored, NUL bytes and line breaks as spaces; a comment by its
        // balance whatever its kind.
        {"bytes as stored", Record(std::string("1\0/2\r", 5), std::string("a{b}\\ \xE9\0\r\n", 10), "+1", "*", 0),
         false, TextLine("1 /2 ", "a{b}\\ \xE9   ", Stars22, Stars22)}};
    for (const auto& c : cases) EXPECT_EQ(TextExportContents(LedgerOf(c.records), c.american), c.expected) << c.what;
}

// The 27 lines of one table row, as the document lays them out; the
// description already escaped, its padding included.
struct RtfRow { std::string date, description, amount, balance; };

std::string RowLines(const std::string& descriptionEdge, const RtfRow& row)
{
    std::string lines = "\\trowd \\trgaph180\r\n";
    for (const std::string& edge : {std::string("1440"), descriptionEdge, std::string("7620"), std::string("9760")}) {
        if (edge != "1440") lines += "\r\n";  // an empty line between the cells
        for (const char side : {'t', 'l', 'b'}) lines += std::string("\\clbrdr") + side + "\\brdrw35\\brdrdb\r\n";
        lines += "\\clbrdrr\\brdrw35\\brdrdb\\cellx" + edge + "\r\n";
    }
    return lines + "\\pard\\intbl\\f0\\fs20 " + row.date + "\r\n\\cell " + row.description + "\r\n\\cell " +
           row.amount + "\r\n\\cell " + row.balance + "\r\n\\cell \r\n\\row\r\n\r\n";
}

std::string Document(const std::string& descriptionEdge, const std::vector<RtfRow>& rows)
{
    std::string document = R"({\rtf1\ansi\deff0 {\fonttbl {\f0 Calibri;}})" "\r\n";
    for (const auto& row : rows) document += RowLines(descriptionEdge, row);
    return document + "}\r\n";
}

TEST(RtfExportContents, WritesOneTableRowPerMovement)
{
    const std::string stars13(13, '*'), unprintable("a{b}c\\d\0\r\n\x1F ~\x7F\x80\xFF", 16);
    const std::string escaped = R"(a\{b\}c\\d\'00\'0d\'0a\'1f ~\'7f\'80\'ff)" + std::string(84, ' ');
    const struct { const char* what; std::string records; bool american, replacing; std::vector<RtfRow> rows; }
        cases[] = {
        {"a saving and a comment, replacing a file, American", SavingRecord + CommentRecord, true, true,
         {{"05/12/2026", Field("Nomina", 100), "1,250.50", "1,250.50"},
          {"07/12/2026", Field("Nota", 100), stars13, stars13}}},
        // The date trimmed, the description's padding kept.
        {"RTF characters and bytes outside printable ASCII escaped", Record("  1\t/2", unprintable, "+0.5", ".5", 0),
         false, false, {{R"(1\'09/2)", escaped, "0'50", "0'50"}}}};
    for (const auto& c : cases)
        EXPECT_EQ(RtfExportContents(LedgerOf(c.records), c.american, c.replacing),
                  Document(c.replacing ? "5480" : "5580", c.rows)) << c.what;
}

}  // namespace
