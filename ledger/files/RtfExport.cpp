#include "ledger/files/RtfExport.h"

namespace cofrelo {

namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr std::string_view Header = R"({\rtf1\ansi\deff0 {\fonttbl {\f0 Calibri;}})";
constexpr std::string_view Footer = "}";
constexpr std::string_view CommentCellText = "*************";
constexpr std::size_t ApproximateRowSize = 720;

struct CellTexts {
    std::string Amount;
    std::string Balance;
};

// The amount cells hold the trimmed display texts, and a shorter run of
// asterisks than the list and the text export show for a comment.
CellTexts AmountCellTexts(const Movement& movement, bool american)
{
    if (IsCommentLine(movement)) return {std::string(CommentCellText), std::string(CommentCellText)};
    const DisplayTexts texts = MovementDisplayTexts(movement, american);
    return {std::string(TrimSpaces(texts.Amount)), std::string(TrimSpaces(texts.Balance))};
}

// The pieces, then the line end.
template <typename... Pieces>
void AppendLine(std::string& document, const Pieces&... pieces)
{
    ((document += pieces), ...);
    document += LineEnd;
}

// Four double-line borders; the last word also places the cell's right edge.
void AppendCellDefinition(std::string& document, std::string_view rightEdge)
{
    AppendLine(document, R"(\clbrdrt\brdrw35\brdrdb)");
    AppendLine(document, R"(\clbrdrl\brdrw35\brdrdb)");
    AppendLine(document, R"(\clbrdrb\brdrw35\brdrdb)");
    AppendLine(document, R"(\clbrdrr\brdrw35\brdrdb\cellx)", rightEdge);
}

void AppendRow(std::string& document, const Movement& movement, bool american,
               std::string_view descriptionEdge)
{
    AppendLine(document, R"(\trowd \trgaph180)");
    const std::string_view rightEdges[] = {"1440", descriptionEdge, "7620", "9760"};
    for (std::size_t i = 0; i < std::size(rightEdges); ++i) {
        if (i > 0) AppendLine(document);  // an empty line between the cells
        AppendCellDefinition(document, rightEdges[i]);
    }

    // Each "\cell " closes the cell before it.
    document += R"(\pard\intbl\f0\fs20 )";
    AppendRtfText(document, TrimSpaces(FieldText(movement.DateText)));
    document += LineEnd;
    document += R"(\cell )";
    AppendRtfText(document, FieldText(movement.Description));
    document += LineEnd;
    const CellTexts amounts = AmountCellTexts(movement, american);
    AppendLine(document, R"(\cell )", amounts.Amount);
    AppendLine(document, R"(\cell )", amounts.Balance);
    AppendLine(document, R"(\cell )");
    AppendLine(document, R"(\row)");
    AppendLine(document);
}

}  // namespace

void AppendRtfText(std::string& document, std::string_view text)
{
    constexpr char HexDigits[] = "0123456789abcdef";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '{' || c == '}') {
            document += '\\';
            document += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            document += R"(\')";
            document += HexDigits[byte >> 4];
            document += HexDigits[byte & 0x0F];
        } else {
            document += c;
        }
    }
}

std::string RtfExportContents(const Ledger& ledger, bool american, bool replacingExistingFile)
{
    const std::string_view descriptionEdge = replacingExistingFile ? "5480" : "5580";
    std::string document;
    document.reserve((static_cast<std::size_t>(ledger.Count()) + 1) * ApproximateRowSize);
    AppendLine(document, Header);
    for (const Movement& movement : ledger.Movements()) AppendRow(document, movement, american, descriptionEdge);
    AppendLine(document, Footer);
    return document;
}

}  // namespace cofrelo
