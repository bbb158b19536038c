#include "ledger/files/TextExport.h"

namespace cofrelo {

namespace {

// The stored text as it is, but for the bytes that would end the line or the
// text early in a reader (only a damaged ledger file holds them): written as
// spaces, every line keeps its 168 columns.
void AppendStoredText(std::string& document, std::string_view field)
{
    for (const char c : field) document += (c == '\0' || c == '\r' || c == '\n') ? ' ' : c;
}

void AppendTextLine(std::string& document, const Movement& movement, bool american)
{
    const DisplayTexts amounts = MovementDisplayTexts(movement, american);
    AppendStoredText(document, FieldText(movement.DateText));
    document += ' ';
    AppendStoredText(document, FieldText(movement.Description));
    document += ' ';
    document += amounts.Amount;
    document.append(8, ' ');
    document += amounts.Balance;
    document += "\r\n";
}

}  // namespace

std::string TextExportContents(const Ledger& ledger, bool american)
{
    std::string document;
    for (const Movement& movement : ledger.Movements()) AppendTextLine(document, movement, american);
    return document;
}

}  // namespace cofrelo
