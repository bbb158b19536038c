// Writes, into the current folder, a ledger file, its TXT and RTF exports in
// both number formats and a "Configurador.log", all from the same inputs on
// every build. The x86 build's files are compared byte for byte with the x64
// build's (tests/unit/CMakeLists.txt): the balances are sums of doubles, so
// both must round alike (SSE2 in both) and turn them into the same texts.
#include "files/LedgerFile.h"
#include "files/RtfExport.h"
#include "files/SafeWrite.h"
#include "files/TextExport.h"
#include "settings/Settings.h"

#include <cstdio>
#include <string>

namespace {

struct Line {
    MovementKind Kind;
    const char* Description;
    const char* Amount;
};

// Amounts whose sums a double cannot hold exactly, the largest amount, cents
// that round, a comment and one more expense.
constexpr Line Lines[] = {
    {MovementKind::Saving, "Nomina", "1250.5"},
    {MovementKind::Saving, "Decimas", "0.1"},
    {MovementKind::Saving, "Decimas", "0.2"},
    {MovementKind::Expense, "Cena \xE9l\xE8ve", "0.3"},
    {MovementKind::Saving, "Herencia", "1000000000"},
    {MovementKind::Expense, "Casa", "999999999.99"},
    {MovementKind::Saving, "Redondeo", "0.005"},
    {MovementKind::Saving, "Redondeo", "2.675"},
    {MovementKind::Comment, "Nota", ""},
    {MovementKind::Expense, "Casi todo", "1250"},
};

bool Write(const std::string& path, const std::string& contents)
{
    const FileResult result = ReplaceFileContents(SystemFileSystem(), path, contents);
    if (!result) std::fprintf(stderr, "%s: %s\n", path.c_str(), result.Reason.c_str());
    return result.Ok;
}

}  // namespace

int main()
{
    Ledger ledger;
    for (const Line& line : Lines) {
        if (CheckNewLine(ledger, line.Kind, line.Amount) != LineRefusal::None) {
            std::fprintf(stderr, "the insert dialog refuses %s %s\n", line.Description, line.Amount);
            return 1;
        }
        AppendNewLine(ledger, line.Kind, "07/12/2026", line.Description, line.Amount);
    }

    Settings settings = DefaultSettings("C:\\Cofrelo\\");
    settings.SavingBackColor = 0x00123456;
    settings.DataFolder = "C:\\Datos \xC3\xB1\\";  // UTF-8, as inside the program: "Datos ñ"
    ConfigurationFile configuration(SystemFileSystem(), "");
    const FileResult saved = SaveLedgerFile(SystemFileSystem(), "ledger.log", ledger);
    const FileResult configured = configuration.SaveSettings(settings);
    if (!saved || !configured) {
        std::fprintf(stderr, "%s%s\n", saved.Reason.c_str(), configured.Reason.c_str());
        return 1;
    }
    bool written = true;
    for (const bool american : {false, true}) {
        const std::string format = american ? "american" : "european";
        written &= Write(format + ".txt", TextExportContents(ledger, american));
        written &= Write(format + "-new.rtf", RtfExportContents(ledger, american, false));
        written &= Write(format + "-replacing.rtf", RtfExportContents(ledger, american, true));
    }
    return written ? 0 : 1;
}
