// RtfExportContents on a ledger made of the input's bytes after the first,
// whose lowest bit picks the American convention and the next one a replaced
// file. Whatever the records hold, the document is printable ASCII in lines
// ended by CR LF, 27 lines per movement between the header and "}"; its braces
// outside escapes open one group that closes with the last line; it has
// exactly one \row, one \trowd, four \cell and four \cellx per movement, the
// description's edge following the replaced file; and the amount cells hold
// the trimmed display texts, or 13 asterisks for a comment line.
#include "AmountTextChecks.h"
#include "FuzzCheck.h"
#include "FuzzLedger.h"
#include "files/RtfExport.h"

#include <string>
#include <vector>

namespace {

constexpr std::string_view Header = R"({\rtf1\ansi\deff0 {\fonttbl {\f0 Calibri;}})";
constexpr std::size_t LinesPerRow = 27;
constexpr std::size_t AmountLine = 22;  // within a row, counting from 0
constexpr std::size_t BalanceLine = 23;

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLowerHex(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f'); }

// What an RTF reader makes of the document's structure.
struct RtfStructure {
    bool WellFormed = true;  // escapes complete, one group from the first byte to the last "}"
    int Rows = 0;
    int RowDefinitions = 0;
    int Cells = 0;
    int CellEdges = 0;
    std::vector<std::string> DescriptionEdges;  // the second \cellx parameter of each row
};

void CountControlWord(RtfStructure& structure, std::string_view word, std::string_view parameter)
{
    if (word == "row") ++structure.Rows;
    if (word == "trowd") ++structure.RowDefinitions;
    if (word == "cell") ++structure.Cells;
    if (word == "cellx" && structure.CellEdges++ % 4 == 1) structure.DescriptionEdges.emplace_back(parameter);
}

// Reads the control word or symbol after the backslash at `at`; returns where it ends.
std::size_t ReadEscape(std::string_view document, std::size_t at, RtfStructure& structure)
{
    std::size_t end = at + 1;
    if (end >= document.size()) {
        structure.WellFormed = false;
        return end;
    }
    if (document[end] == '\'') {
        const bool hex = end + 2 < document.size() && IsLowerHex(document[end + 1]) && IsLowerHex(document[end + 2]);
        if (!hex) structure.WellFormed = false;
        return end + 3;
    }
    if (!IsLetter(document[end])) return end + 1;
    while (end < document.size() && IsLetter(document[end])) ++end;
    const std::string_view word = document.substr(at + 1, end - at - 1);
    const std::size_t parameterStart = end;
    if (end < document.size() && document[end] == '-') ++end;
    while (end < document.size() && IsDigit(document[end])) ++end;
    CountControlWord(structure, word, document.substr(parameterStart, end - parameterStart));
    return end;
}

// `document` without its final CR LF: the group opened by its first byte must
// stay open up to its last one.
RtfStructure StructureOf(std::string_view document)
{
    RtfStructure structure;
    int depth = 0;
    for (std::size_t at = 0; at < document.size();) {
        const char c = document[at];
        if (c == '\\') {
            at = ReadEscape(document, at, structure);
            continue;
        }
        if (c == '{') ++depth;
        if (c == '}') --depth;
        ++at;
        if (depth <= 0 && at < document.size()) structure.WellFormed = false;
    }
    if (depth != 0) structure.WellFormed = false;
    return structure;
}

bool IsPrintableAsciiInCrLfLines(std::string_view document)
{
    for (std::size_t i = 0; i < document.size(); ++i) {
        const auto c = static_cast<unsigned char>(document[i]);
        if (c == '\r') {
            if (i + 1 == document.size() || document[i + 1] != '\n') return false;
            ++i;
        } else if (c < 0x20 || c > 0x7E) {
            return false;
        }
    }
    return document.ends_with("\r\n");
}

std::vector<std::string_view> LinesOf(std::string_view document)
{
    std::vector<std::string_view> lines;
    for (std::size_t end = document.find("\r\n"); end != std::string_view::npos; end = document.find("\r\n")) {
        lines.push_back(document.substr(0, end));
        document.remove_prefix(end + 2);
    }
    return lines;
}

void CheckAmountCell(std::string_view line, bool comment, bool american)
{
    constexpr std::string_view CellStart = R"(\cell )";
    Require(line.starts_with(CellStart), "an amount cell follows \\cell");
    const std::string_view text = line.substr(CellStart.size());
    if (comment) {
        Require(text == std::string(13, '*'), "a comment line shows 13 asterisks");
        return;
    }
    const bool trimmed = !text.empty() && text.size() <= AmountTextWidth && text.back() != ' ';
    std::string padded(text);
    padded.resize(AmountTextWidth, ' ');
    Require(trimmed && IsFormattedAmount(padded, american), "an amount cell holds a trimmed display text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const bool american = (data[0] & 1) != 0;
    const bool replacing = (data[0] & 2) != 0;
    static Ledger ledger;
    FillLedger(ledger, InputText(data + 1, size - 1));
    const int count = ledger.Count;

    const std::string document = RtfExportContents(ledger, american, replacing);
    Require(IsPrintableAsciiInCrLfLines(document), "only printable ASCII in lines ended by CR LF");
    const RtfStructure structure = StructureOf(std::string_view(document).substr(0, document.size() - 2));
    Require(structure.WellFormed, "braces balanced outside escapes, one group from start to end");
    Require(structure.Rows == count && structure.RowDefinitions == count, "one \\row and one \\trowd per movement");
    Require(structure.Cells == 4 * count && structure.CellEdges == 4 * count, "four cells per movement");
    for (const auto& edge : structure.DescriptionEdges)
        Require(edge == (replacing ? "5480" : "5580"), "the description's edge follows the replaced file");

    const auto lines = LinesOf(document);
    Require(lines.size() == 2 + LinesPerRow * static_cast<std::size_t>(count), "27 lines per movement");
    Require(lines.front() == Header && lines.back() == "}", "the header first and the closing brace last");
    for (int i = 0; i < count; ++i) {
        const std::size_t first = 1 + LinesPerRow * static_cast<std::size_t>(i);
        const bool comment = IsCommentLine(ledger.Movements[i]);
        CheckAmountCell(lines[first + AmountLine], comment, american);
        CheckAmountCell(lines[first + BalanceLine], comment, american);
    }
    return 0;
}
