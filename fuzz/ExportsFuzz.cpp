// Both exports of a ledger made of the input's bytes after the first, whose
// lowest bit picks the American convention and the next one a replaced file.
// TextExportContents: every line is 168 characters and CR LF, with no other
// line break; its columns hold the stored date and description (NUL, CR and
// LF as spaces), the spaces between them, and two display texts, or 22
// asterisks for a comment line.
// RtfExportContents: whatever the records hold, the document is printable ASCII in lines
// ended by CR LF, 27 lines per movement between the header and "}"; its braces
// outside escapes open one group that closes with the last line; each row has
// one \trowd, four \cellx (the description's edge following the replaced
// file), four \cell and one \row; the amount cells hold the trimmed display
// texts, or 13 asterisks for a comment line.
#include "Fuzz.h"

#include "files/RtfExport.h"
#include "files/TextExport.h"
#include "support/Records.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr std::size_t LinesPerRow = 27;
constexpr std::size_t TextLineSize = 170;

std::string AsWritten(std::string_view field)
{
    std::string text(field);
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\0' || c == '\r' || c == '\n'; }, ' ');
    return text;
}

void CheckTextExport(const Ledger& ledger, bool american)
{
    const std::string document = TextExportContents(ledger, american);
    Require(document.size() == TextLineSize * static_cast<std::size_t>(ledger.Count), "one text line per movement");
    for (std::int32_t i = 0; i < ledger.Count; ++i) {
        const std::string_view line = std::string_view(document).substr(TextLineSize * static_cast<std::size_t>(i), TextLineSize);
        const Movement& movement = ledger.Movements[i];
        const bool comment = IsCommentLine(movement);
        Require(line.find_first_of("\r\n") == 168 && line.substr(168) == "\r\n", "every line ends with CR LF only");
        Require(line.substr(0, 14) == AsWritten(FieldText(movement.DateText)) &&
                    line.substr(15, 100) == AsWritten(FieldText(movement.Description)),
                "the date and the description as stored");
        Require(line[14] == ' ' && line[115] == ' ' && line.substr(138, 8) == "        ", "spaces between the columns");
        for (const std::string_view amount : {line.substr(116, 22), line.substr(146, 22)})
            Require(comment ? amount == std::string(AmountTextWidth, '*') : IsFormattedAmount(amount, american),
                    "an amount column holds a display text, or 22 asterisks for a comment");
    }
}

bool IsLetter(char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
bool IsLowerHex(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f'); }

// The control words of the document in order, each with its parameter
// ("cellx5480"); a "!" for a broken escape or a group closed before the end.
std::string ControlWords(std::string_view document)
{
    std::string words;
    int depth = 0;
    for (std::size_t at = 0; at < document.size();) {
        const char c = document[at++];
        depth += (c == '{') - (c == '}');
        if (depth <= 0 && at < document.size()) words += "!";
        if (c != '\\') continue;
        if (at < document.size() && document[at] == '\'') {
            if (at + 2 >= document.size() || !IsLowerHex(document[at + 1]) || !IsLowerHex(document[at + 2])) words += "!";
            at += 3;
        } else if (at < document.size() && IsLetter(document[at])) {
            const std::size_t start = at;
            while (at < document.size() && (IsLetter(document[at]) || IsDigit(document[at]))) ++at;
            words += " " + std::string(document.substr(start, at - start));
        } else {
            ++at;
        }
    }
    return depth == 0 ? words : words + "!";
}

std::string RowWords(const std::string& edge)
{
    const std::string border = " clbrdrt brdrw35 brdrdb clbrdrl brdrw35 brdrdb clbrdrb brdrw35 brdrdb clbrdrr brdrw35 brdrdb";
    return " trowd trgaph180" + border + " cellx1440" + border + " cellx" + edge + border + " cellx7620" + border +
           " cellx9760 pard intbl f0 fs20 cell cell cell cell row";
}

void CheckAmountCell(std::string_view line, bool comment, bool american)
{
    Require(line.starts_with("\\cell "), "an amount cell follows \\cell");
    const std::string text(line.substr(6));
    Require(comment ? text == std::string(13, '*')
                    : !text.empty() && text.size() <= AmountTextWidth && text.back() != ' ' &&
                          IsFormattedAmount(Field(text, AmountTextWidth), american),
            "an amount cell holds a trimmed display text, or 13 asterisks");
}

}  // namespace

void FuzzOne(std::string_view input)
{
    if (input.empty()) return;
    const bool american = (input[0] & 1) != 0;
    const bool replacing = (input[0] & 2) != 0;
    static Ledger ledger;
    FillLedger(ledger, input.substr(1));
    CheckTextExport(ledger, american);
    const std::string document = RtfExportContents(ledger, american, replacing);

    std::vector<std::string_view> lines;
    for (std::size_t start = 0, end; (end = document.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(std::string_view(document).substr(start, end - start));
    Require(document.ends_with("\r\n") && std::count(document.begin(), document.end(), '\r') == std::ssize(lines) &&
                std::count(document.begin(), document.end(), '\n') == std::ssize(lines),
            "lines ended by CR LF, and no other line break");
    for (const char c : document) Require(c == '\r' || c == '\n' || (c >= 0x20 && c <= 0x7E), "only printable ASCII");
    Require(lines.size() == 2 + LinesPerRow * static_cast<std::size_t>(ledger.Count) && lines.back() == "}",
            "27 lines per movement between the header and the closing brace");

    std::string expected = " rtf1 ansi deff0 fonttbl f0";
    for (std::int32_t i = 0; i < ledger.Count; ++i) expected += RowWords(replacing ? "5480" : "5580");
    Require(ControlWords(std::string_view(document).substr(0, document.size() - 2)) == expected,
            "one group to the end, whole escapes, and every row's control words");
    for (std::int32_t i = 0; i < ledger.Count; ++i) {
        const std::size_t first = 1 + LinesPerRow * static_cast<std::size_t>(i);
        const bool comment = IsCommentLine(ledger.Movements[i]);
        CheckAmountCell(lines[first + 22], comment, american);
        CheckAmountCell(lines[first + 23], comment, american);
    }
}
