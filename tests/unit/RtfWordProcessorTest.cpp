// The RTF export as a real word processor reads it: LibreOffice converts the
// document to plain text, one line per table cell, and these must be the
// texts the ledger shows, whatever RTF characters and accented letters the
// descriptions hold.
#include "ledger/files/RtfExport.h"
#include "ledger/settings/AnsiCodePage.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

using namespace cofrelo;

namespace {

TEST(RtfExportInAWordProcessor, ReadsAsTheCellsTheLedgerShows)
{
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) is not installed; scripts/install-deps installs it";

    // Descriptions in the ANSI code page, Windows-1252.
    const std::string nomina = "N\xF3mina {enero}";
    const std::string cafe = "Caf\xE9 \\ t\xE9, a\xF1o";
    const std::string nota = "Revisar } antes { de \xBFmarzo?";
    const Ledger ledger = LedgerOf(
        Record("05/12/2026", nomina, "+1250.5", "1250.5", 0) + Record("06/12/2026", cafe, "-30", "1220.5", 1) +
        Record("07/12/2026", nota, "*", "*", 2) + Record("08/12/2026", "\\row \\cell }", "+0.5", "1221", 0));
    // LibreOffice in a folder and with a profile of its own, so that no other run of it is joined or disturbed.
    char folderTemplate[] = "/tmp/cofrelo-rtf-XXXXXX";
    const std::string folder = std::string(mkdtemp(folderTemplate)) + "/";
    std::ofstream(folder + "libro.rtf", std::ios::binary) << RtfExportContents(ledger, false, false);
    const std::string command = "timeout 300 soffice -env:UserInstallation=file://" + folder + "profile --headless " +
                                "--convert-to 'txt:Text (encoded):UTF8' --outdir '" + folder + "' '" + folder +
                                "libro.rtf'";
    const int status = std::system(command.c_str());  // LibreOffice's messages go to the test's output
    std::stringstream text;
    text << std::ifstream(folder + "libro.txt", std::ios::binary).rdbuf();
    std::filesystem::remove_all(folder);
    ASSERT_EQ(status, 0);

    // The non-empty lines, without the byte-order mark and without the padding
    // at their ends: spaces, and the six-per-em spaces LibreOffice alternates
    // with them to keep a run of spaces.
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) {
        if (line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
        for (std::size_t at; (at = line.find("\xE2\x80\x86")) != std::string::npos;) line.replace(at, 3, " ");
        line.erase(line.find_last_not_of(" \r") + 1);
        if (!line.empty()) lines.push_back(line);
    }
    const std::string stars(13, '*');
    const auto Utf8 = [](std::string_view ansi) { return SystemAnsiCodePage().ToUtf8(ansi); };
    const std::vector<std::string> expected{
        "05/12/2026", Utf8(nomina), "1.250'50", "1.250'50", "06/12/2026", Utf8(cafe),   "-30'00",   "1.220'50",
        "07/12/2026", Utf8(nota),   stars,      stars,      "08/12/2026", "\\row \\cell }", "0'50", "1.221'00",
    };
    EXPECT_EQ(lines, expected);
}

}  // namespace
