// Both exports of a ledger made of the input's bytes after the first, whose
// lowest bit picks the American convention and the next one a replaced file.
// TextExportContents: every line is 168 characters and CR LF, with no other
// line break (a description's own CR and LF are written as spaces).
// RtfExportContents: whatever the records hold, the document is printable
// ASCII in lines ended by CR LF, 27 lines per movement between the header and
// "}", and its braces outside escapes open one group that closes at the end.
#include "fuzz/Fuzz.h"

#include "ledger/files/RtfExport.h"
#include "ledger/files/TextExport.h"
#include "tests/support/Records.h"

#include <algorithm>
#include <string>

using namespace cofrelo;

namespace {

constexpr std::size_t TextLineSize = 170;
constexpr std::size_t RtfLinesPerRow = 27;

// Every line is 168 characters and CR LF, with no other line break.
void CheckTextExport(const Ledger& ledger, bool american)
{
    const std::string document = TextExportContents(ledger, american);
    Require(document.size() == TextLineSize * ledger.Movements().size(), "one text line per movement");
    for (std::size_t end = TextLineSize - 2; end < document.size(); end += TextLineSize)
        Require(document.find_first_of("\r\n", end - 168) == end && document.substr(end, 2) == "\r\n",
                "every line ends with CR LF only");
}

// Braces outside escapes open one group that closes with the document's last
// character, and every "\'" escape has two lower-case hexadecimal digits.
bool OneGroupWithWholeEscapes(std::string_view document)
{
    const auto isHex = [](char c) { return IsDigit(c) || (c >= 'a' && c <= 'f'); };
    int depth = 0;
    for (std::size_t at = 0; at < document.size(); ++at) {
        if (depth == 0 && at > 0) return false;
        const char c = document[at];
        if (c == '\\' && at + 1 < document.size() && document[at + 1] == '\'') {
            if (at + 3 >= document.size() || !isHex(document[at + 2]) || !isHex(document[at + 3])) return false;
            at += 3;
        } else if (c == '\\') {
            ++at;
        } else {
            depth += (c == '{') - (c == '}');
        }
    }
    return depth == 0;
}

}  // namespace

void FuzzOne(std::string_view input)
{
    if (input.empty()) return;
    const bool american = (input[0] & 1) != 0;
    const bool replacing = (input[0] & 2) != 0;
    static Ledger ledger;
    const std::string_view records = input.substr(1);
    ledger.Load(records.substr(0, std::min(records.size(), std::size_t{LedgerSlots} * MovementSize)));
    CheckTextExport(ledger, american);

    const std::string document = RtfExportContents(ledger, american, replacing);
    for (std::size_t at = 0; at < document.size(); ++at) {
        const char c = document[at];
        Require((c >= 0x20 && c <= 0x7E) || (c == '\r' && document[at + 1] == '\n') ||
                    (c == '\n' && at > 0 && document[at - 1] == '\r'),
                "printable ASCII in lines ended by CR LF, and no other line break");
    }
    const auto lines = std::count(document.begin(), document.end(), '\n');
    Require(document.ends_with("}\r\n"), "the document ends with its closing brace");
    Require(static_cast<std::size_t>(lines) == 2 + RtfLinesPerRow * ledger.Movements().size(),
            "27 lines per movement between the header and the closing brace");
    Require(OneGroupWithWholeEscapes(std::string_view(document).substr(0, document.size() - 2)),
            "one group to the end, and whole escapes");
}
