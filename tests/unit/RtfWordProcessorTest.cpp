// The RTF export as a real word processor reads it: LibreOffice converts the
// document to HTML, and the table found there must hold one four-cell row per
// movement with the texts the ledger shows, whatever RTF characters and
// accented letters the descriptions hold.
#include "MovementRecords.h"
#include "files/RtfExport.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

namespace {

using Cells = std::vector<std::string>;

std::optional<std::string> ProgramOnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    if (!path) return std::nullopt;
    for (std::string_view rest = path; !rest.empty();) {
        const std::size_t colon = std::min(rest.find(':'), rest.size());
        const std::filesystem::path candidate = std::filesystem::path(std::string(rest.substr(0, colon))) / name;
        std::error_code error;
        if (!rest.substr(0, colon).empty() && std::filesystem::is_regular_file(candidate, error))
            return candidate.string();
        rest.remove_prefix(std::min(colon + 1, rest.size()));
    }
    return std::nullopt;
}

// Windows-1252 text as UTF-8, which the HTML holds; only the Latin-1 letters
// that the descriptions below use (0xA0 to 0xFF map to U+00A0 to U+00FF).
std::string Utf8FromWindows1252(std::string_view text)
{
    std::string utf8;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

void AppendUtf8(std::string& text, unsigned long codePoint)
{
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// The character that an entity such as amp, nbsp or #233 stands for.
void AppendEntity(std::string& text, std::string_view entity)
{
    const std::pair<std::string_view, char> named[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"nbsp", ' '},
    };
    for (const auto& [name, character] : named)
        if (entity == name) {
            text += character;
            return;
        }
    const bool hex = entity.starts_with("#x");
    const std::string_view digits = entity.substr(hex ? 2 : 1);
    unsigned long codePoint = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), codePoint, hex ? 16 : 10);
    AppendUtf8(text, codePoint);
}

// Paragraphs and line breaks part words; other tags (fonts, spans) do not.
bool PartsWords(std::string_view tag)
{
    if (tag.starts_with("</")) tag.remove_prefix(2);
    else tag.remove_prefix(1);
    const std::string_view name = tag.substr(0, tag.find_first_of(" />"));
    return name == "p" || name == "br";
}

// How many bytes of blank start at the offset of UTF-8 text: ASCII white space,
// the no-break space, or one of the spaces U+2000 to U+200A, which LibreOffice
// alternates with plain spaces to keep a run of them.
std::size_t BlankBytesAt(std::string_view text, std::size_t offset)
{
    const std::string_view rest = text.substr(offset);
    if (rest.empty()) return 0;
    if (rest[0] == ' ' || rest[0] == '\t' || rest[0] == '\r' || rest[0] == '\n') return 1;
    if (rest.starts_with("\xC2\xA0")) return 2;
    if (rest.size() >= 3 && rest.starts_with("\xE2\x80") && static_cast<unsigned char>(rest[2]) <= 0x8A) return 3;
    return 0;
}

// A cell's text as a reader sees it: tags dropped, entities decoded, every run
// of white space (line breaks of the HTML source, the padding of a field) one
// space, none at the ends.
std::string CellText(std::string_view html)
{
    std::string text;
    for (std::size_t i = 0; i < html.size(); ++i) {
        if (html[i] == '<') {
            const std::size_t end = std::min(html.find('>', i), html.size());
            if (PartsWords(html.substr(i, end - i + 1))) text += ' ';
            i = end;
        } else if (html[i] == '&') {
            const std::size_t end = std::min(html.find(';', i), html.size());
            AppendEntity(text, html.substr(i + 1, end - i - 1));
            i = end;
        } else {
            text += html[i];
        }
    }
    std::string collapsed;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t blankBytes = BlankBytesAt(text, i);
        if (blankBytes == 0) {
            collapsed += text[i];
            continue;
        }
        if (!collapsed.empty() && collapsed.back() != ' ') collapsed += ' ';
        i += blankBytes - 1;
    }
    if (!collapsed.empty() && collapsed.back() == ' ') collapsed.pop_back();
    return collapsed;
}

// Every stretch of html between an opening tag <name and its closing </name>.
std::vector<std::string_view> Elements(std::string_view html, std::string_view name)
{
    const std::string open = "<" + std::string(name);
    const std::string close = "</" + std::string(name) + ">";
    std::vector<std::string_view> elements;
    for (std::size_t start = html.find(open); start != std::string_view::npos; start = html.find(open, start)) {
        const std::size_t end = html.find(close, start);
        if (end == std::string_view::npos) break;
        elements.push_back(html.substr(start, end - start));
        start = end + close.size();
    }
    return elements;
}

std::vector<Cells> TableRows(std::string_view html)
{
    std::vector<Cells> rows;
    for (const std::string_view row : Elements(html, "tr")) {
        Cells cells;
        for (const std::string_view cell : Elements(row, "td"))
            cells.push_back(CellText(cell.substr(cell.find('>') + 1)));
        rows.push_back(cells);
    }
    return rows;
}

TEST(RtfExportInAWordProcessor, ReadsAsOneFourCellRowPerMovementWithTheLedgerTexts)
{
    const std::optional<std::string> soffice = ProgramOnPath("soffice");
    if (!soffice) GTEST_SKIP() << "LibreOffice (soffice) is not installed; scripts/install-deps installs it";

    // Descriptions in the ANSI code page, Windows-1252.
    const std::string nomina = "N\xF3mina {enero}";
    const std::string cafe = "Caf\xE9 \\ t\xE9, a\xF1o";
    const std::string nota = "Revisar } antes { de \xBFmarzo?";
    const Ledger ledger = LedgerOf(Record("05/12/2026", nomina, "+1250.5", "1250.5", 0) +
                                   Record("06/12/2026", cafe, "-30", "1220.5", 1) +
                                   Record("07/12/2026", nota, "*", "*", 2) +
                                   Record("08/12/2026", "\\row \\cell }", "+0.5", "1221", 0));
    ScratchFolder folder;
    WriteBytes(folder / "libro.rtf", RtfExportContents(ledger, false, false));

    // A profile of its own, so that no other run of LibreOffice is joined or disturbed.
    const std::string command = "timeout 300 '" + *soffice + "' -env:UserInstallation=file://" + folder.Path() +
                                "profile --headless --convert-to html --outdir '" + folder.Path() + "html' '" +
                                (folder / "libro.rtf") + "' >'" + (folder / "soffice.log") + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadBytes(folder / "soffice.log");

    const std::string stars(13, '*');
    const std::vector<Cells> expected{
        {"05/12/2026", Utf8FromWindows1252(nomina), "1.250'50", "1.250'50"},
        {"06/12/2026", Utf8FromWindows1252(cafe), "-30'00", "1.220'50"},
        {"07/12/2026", Utf8FromWindows1252(nota), stars, stars},
        {"08/12/2026", "\\row \\cell }", "0'50", "1.221'00"},
    };
    EXPECT_EQ(TableRows(ReadBytes(folder / "html/libro.html")), expected) << ReadBytes(folder / "html/libro.html");
}

}  // namespace
