#include "ledger/files/LedgerFile.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

using namespace cofrelo;

namespace {

const std::string Path = "C:\\Cuentas\\Enero.log";

std::string Repeated(const std::string& record, int times)
{
    std::string bytes;
    for (int i = 0; i < times; ++i) bytes += record;
    return bytes;
}

// 127 characters, whatever their length in UTF-8 bytes, and never part of one.
TEST(LedgerFileNameFromTyped, KeepsTheFirst127Characters)
{
    const std::string polish = "\u0141";          // 2 bytes
    const std::string fullWidth = "\uFF3C";       // 3 bytes
    const std::string outsideBmp = "\U0001F4B0";  // 4 bytes, a surrogate pair in UTF-16
    const std::pair<std::string, std::string> cases[] = {
        {"Enero 2025", "Enero 2025"}, {Repeated("a", 128), Repeated("a", 127)},
        {Repeated(polish, 130), Repeated(polish, 127)},
        {Repeated("a", 126) + fullWidth + "b", Repeated("a", 126) + fullWidth},
        {Repeated("a", 126) + outsideBmp, Repeated("a", 126) + outsideBmp},
        {Repeated("a", 127) + outsideBmp, Repeated("a", 127)}, {Repeated(outsideBmp, 200), Repeated(outsideBmp, 127)},
    };
    for (const auto& [typed, kept] : cases) EXPECT_EQ(LedgerFileNameFromTyped(typed), kept) << typed;
}

TEST(SaveLedgerFile, WritesTheRecordsByteForByte)
{
    MemoryFileSystem files;
    Ledger ledger;
    ledger.Append({MovementKind::Saving, "05/12/2026", "Nomina", "1250.5"});
    ledger.Append({MovementKind::Comment, "05/12/2026", "Nota", ""});
    ASSERT_TRUE(SaveLedgerFile(files, Path, ledger));
    const std::string expected = "05/12/2026" + std::string(4, ' ') + "Nomina" + std::string(94, ' ') + "+1250.5" +
                                 std::string(15, ' ') + "1250.5" + std::string(16, ' ') + std::string(4, '\0') +
                                 "05/12/2026" + std::string(4, ' ') + "Nota" + std::string(96, ' ') + "*" +
                                 std::string(21, ' ') + "*" + std::string(21, ' ') + std::string("\2\0\0\0", 4);
    EXPECT_EQ(*files.Find(Path), expected);
}

}  // namespace
