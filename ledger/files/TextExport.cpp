#include "TextExport.h"

#include <algorithm>

namespace {

constexpr std::size_t TextLineSize = 170;

void AppendStoredText(std::string& document, std::string_view field)
{
    const std::size_t start = document.size();
    document.append(field);
    std::replace(document.begin() + static_cast<std::ptrdiff_t>(start), document.end(), '\0', ' ');
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
    document.reserve(static_cast<std::size_t>(ledger.Count) * TextLineSize);
    for (std::int32_t i = 0; i < ledger.Count; ++i) AppendTextLine(document, ledger.Movements[i], american);
    return document;
}
