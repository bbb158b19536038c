// TextExportContents on a ledger made of the input's bytes after the first,
// whose lowest bit picks the American convention. Every line is 168
// characters and CR LF, with no other line break; its columns hold the stored
// date and description (NUL, CR and LF as spaces), the spaces between them,
// and the two display texts, or 22 asterisks for a comment line.
#include "Fuzz.h"

#include "files/TextExport.h"
#include "support/Records.h"

#include <algorithm>

namespace {

constexpr std::size_t LineSize = 170;

std::string AsWritten(std::string_view field)
{
    std::string text(field);
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\0' || c == '\r' || c == '\n'; }, ' ');
    return text;
}

std::string AmountColumn(std::string_view stored, bool comment, bool american)
{
    return comment ? std::string(AmountTextWidth, '*') : FormatAmount(ParseNumber(stored), american);
}

}  // namespace

void FuzzOne(std::string_view input)
{
    if (input.empty()) return;
    const bool american = (input[0] & 1) != 0;
    static Ledger ledger;
    FillLedger(ledger, input.substr(1));

    const std::string document = TextExportContents(ledger, american);
    Require(document.size() == LineSize * static_cast<std::size_t>(ledger.Count), "one line per movement");
    for (std::int32_t i = 0; i < ledger.Count; ++i) {
        const std::string_view line = std::string_view(document).substr(LineSize * static_cast<std::size_t>(i), LineSize);
        const Movement& movement = ledger.Movements[i];
        const bool comment = IsCommentLine(movement);
        Require(line.find_first_of("\r\n") == 168 && line.substr(168) == "\r\n", "every line ends with CR LF only");
        Require(line.substr(0, 14) == AsWritten(FieldText(movement.DateText)) &&
                    line.substr(15, 100) == AsWritten(FieldText(movement.Description)),
                "the date and the description as stored");
        Require(line[14] == ' ' && line[115] == ' ' && line.substr(138, 8) == "        ", "spaces between the columns");
        Require(line.substr(116, 22) == AmountColumn(FieldText(movement.AmountText), comment, american) &&
                    line.substr(146, 22) == AmountColumn(FieldText(movement.BalanceText), comment, american),
                "the display texts of the amount and the balance");
        Require(comment || IsFormattedAmount(line.substr(116, 22), american), "an amount follows the display pattern");
    }
}
