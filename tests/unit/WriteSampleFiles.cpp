// Writes, into the current folder, a ledger file, its TXT and RTF exports in
// both number formats and a "Configurador.log", all from the same inputs on
// every build. The x86 build's files are compared byte for byte with the x64
// build's (tests/unit/CMakeLists.txt): the balances are sums of doubles, so
// both must round alike (SSE2 in both) and turn them into the same texts.
#include "ledger/files/LedgerFile.h"
#include "ledger/files/RtfExport.h"
#include "ledger/files/SafeWrite.h"
#include "ledger/files/TextExport.h"
#include "ledger/settings/ConfigurationFile.h"

#include <cstdio>
#include <string>

using namespace cofrelo;

int main()
{
    // Amounts whose sums a double cannot hold exactly, the largest amount,
    // cents that round, a comment and one more expense.
    using enum MovementKind;
    const struct { MovementKind kind; const char* description; const char* amount; } lines[] = {
        {Saving, "Nomina", "1250.5"}, {Saving, "Decimas", "0.1"}, {Saving, "Decimas", "0.2"},
        {Expense, "Cena \xE9l\xE8ve", "0.3"}, {Saving, "Herencia", "1000000000"}, {Expense, "Casa", "999999999.99"},
        {Saving, "Redondeo", "0.005"}, {Saving, "Redondeo", "2.675"}, {Comment, "Nota", ""},
        {Expense, "Casi todo", "1250"}};
    Ledger ledger;
    for (const auto& line : lines) ledger.Append({line.kind, "07/12/2026", line.description, line.amount});
    // The default colors but one, and a folder in UTF-8, as inside the program: "Datos ñ".
    Settings settings = DefaultSettings("C:\\Datos \xC3\xB1\\");
    settings.ColorsOf(Saving).Back = 0x00123456;

    FileResult written = SaveLedgerFile(SystemFileSystem(), "ledger.log", ledger);
    ConfigurationFile configuration(SystemFileSystem(), "", SystemAnsiCodePage());
    written = written ? configuration.SaveSettings(settings) : written;
    for (const bool american : {false, true}) {
        const std::string format = american ? "american" : "european";
        const std::pair<std::string, std::string> exports[] = {
            {format + ".txt", TextExportContents(ledger, american)},
            {format + "-new.rtf", RtfExportContents(ledger, american, false)},
            {format + "-replacing.rtf", RtfExportContents(ledger, american, true)}};
        for (const auto& [path, contents] : exports)
            written = written ? ReplaceFileContents(SystemFileSystem(), path, contents) : written;
    }
    if (!written) std::fprintf(stderr, "%s\n", written.Reason.c_str());
    return written ? 0 : 1;
}
