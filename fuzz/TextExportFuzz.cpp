// TextExportContents on a ledger made of the input's bytes after the first,
// whose lowest bit picks the American convention. Every line is 168
// characters and CR LF, and no character of it breaks the line for a reader;
// the columns hold the stored date and description (NUL, CR and LF as spaces), the
// spaces between them, and the two display texts, or 22 asterisks for a
// comment line.
#include "AmountTextChecks.h"
#include "FuzzCheck.h"
#include "FuzzLedger.h"
#include "files/TextExport.h"

#include <algorithm>

namespace {

constexpr std::size_t LineWidth = 168;
constexpr std::string_view LineEnd = "\r\n";

std::string AsWritten(std::string_view field)
{
    std::string text(field);
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\0' || c == '\r' || c == '\n'; }, ' ');
    return text;
}

void CheckAmountColumn(std::string_view column, std::string_view stored, bool comment, bool american)
{
    if (comment) {
        Require(column == std::string(AmountTextWidth, '*'), "a comment line shows 22 asterisks");
        return;
    }
    Require(IsFormattedAmount(column, american), "an amount column holds a display text");
    Require(column == FormatAmount(ParseNumber(stored), american), "an amount column shows the stored value");
}

void CheckLine(std::string_view line, const Movement& movement, bool american)
{
    Require(line.substr(LineWidth) == LineEnd, "every line ends with CR LF");
    const std::string_view text = line.substr(0, LineWidth);
    Require(text.find_first_of("\r\n") == std::string_view::npos, "no line is broken inside");
    Require(text.substr(0, 14) == AsWritten(FieldText(movement.DateText)), "columns 1-14 hold the date");
    Require(text.substr(14, 1) == " " && text.substr(115, 1) == " " && text.substr(138, 8) == std::string(8, ' '),
            "the columns are separated by spaces");
    Require(text.substr(15, 100) == AsWritten(FieldText(movement.Description)), "columns 16-115 hold the description");
    const bool comment = IsCommentLine(movement);
    CheckAmountColumn(text.substr(116, AmountTextWidth), FieldText(movement.AmountText), comment, american);
    CheckAmountColumn(text.substr(146, AmountTextWidth), FieldText(movement.BalanceText), comment, american);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const bool american = (data[0] & 1) != 0;
    static Ledger ledger;
    FillLedger(ledger, InputText(data + 1, size - 1));

    const std::string document = TextExportContents(ledger, american);
    const std::size_t lineSize = LineWidth + LineEnd.size();
    Require(document.size() == lineSize * static_cast<std::size_t>(ledger.Count), "one line per movement");
    for (std::int32_t i = 0; i < ledger.Count; ++i)
        CheckLine(std::string_view(document).substr(lineSize * static_cast<std::size_t>(i), lineSize),
                  ledger.Movements[i], american);
    return 0;
}
