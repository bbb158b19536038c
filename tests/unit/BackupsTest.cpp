// The 127 characters a typed ledger name keeps; the names of the backups of
// replaced ledgers, their order, the 127 characters their typed names fit, and
// what pruning takes. The fault census (FileCommandsTest) saves with backups
// and makes each of their steps fail.
#include "ledger/files/Backups.h"
#include "ledger/files/LedgerFile.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace cofrelo;
using namespace std::chrono;

namespace {

const local_seconds Replaced = local_days{2026y / 12 / 7} + 17h + 5min + 9s;

// 127 characters, whatever their length in UTF-8 bytes, and never part of one.
TEST(LedgerFileNameFromTyped, KeepsTheFirst127Characters)
{
    // Characters of 2, 3 and 4 bytes, the last a surrogate pair in UTF-16.
    const std::string polish = "\u0141", fullWidth = "\uFF3C", outsideBmp = "\U0001F4B0", a126(126, 'a');
    const std::pair<std::string, std::string> cases[] = {
        {a126 + "aa", a126 + "a"}, {a126 + fullWidth + "b", a126 + fullWidth}, {a126 + outsideBmp, a126 + outsideBmp},
        {a126 + "a" + outsideBmp, a126 + "a"}, {Repeated(polish, 130), Repeated(polish, 127)},
        {Repeated(outsideBmp, 200), Repeated(outsideBmp, 127)}};
    for (const auto& [typed, kept] : cases) EXPECT_EQ(LedgerFileNameFromTyped(typed), kept) << typed;
}

TEST(BackupTypedName, NamesTheLedgerAndTheTimeInTheTypedNamesFolder)
{
    const struct { const char* typed; local_seconds at; const char* name; } cases[] = {
        {"2025\\Enero", local_days{2026y / 1 / 2} + 3h + 4min + 5s, "2025\\Copias\\Enero 2026-01-02 03.04.05"},
        {"a/b\\Ene ro ", local_days{999y / 10 / 31} + 0s, "a/b\\Copias\\Ene ro  0999-10-31 00.00.00"}};
    for (const auto& c : cases) EXPECT_EQ(BackupTypedName(c.typed, c.at), c.name);
    // Over five centuries in ever longer steps, through every carry of every field, names sort by time.
    std::vector<std::string> names;
    for (local_seconds at = Replaced; names.size() < 2000; at += seconds(1 + names.size() * 7919))
        names.push_back(*BackupTypedName("Enero", at));
    EXPECT_TRUE(std::ranges::is_sorted(names) && std::ranges::adjacent_find(names) == names.end());
}

// Typed names of every length, in folders of every depth, in two-byte
// characters: the backup's typed name fits; a ledger name is cut only when it
// must be, and two cut to the same beginning stay apart. A typed folder part
// that leaves no room for a cut name (more than 91 characters) gets no backup.
TEST(BackupTypedName, AlwaysFits127Characters)
{
    for (std::size_t folder = 0; folder < LedgerFileNameCapacity; ++folder) {
        std::string folderPart;
        for (std::size_t i = 1; i < folder; ++i) folderPart += "\u00F1";
        if (folder > 0) folderPart += "\\";
        for (std::size_t name = 1; folder + name <= LedgerFileNameCapacity; ++name) {
            const std::string leaf = std::string(name - 1, 'n') + "a";
            const auto backup = BackupTypedName(folderPart + leaf, Replaced);
            const bool whole = folder + name <= 100;
            ASSERT_EQ(backup.has_value(), whole || folder <= 91) << folder << " + " << name;
            if (!backup) continue;
            EXPECT_LE(CharacterCount(*backup), LedgerFileNameCapacity) << folder << " + " << name;
            EXPECT_EQ(backup->find(leaf) != std::string::npos, whole) << folder << " + " << name;
            EXPECT_TRUE(whole || backup != BackupTypedName(folderPart + std::string(name - 1, 'n') + "b", Replaced));
        }
    }
}

// Only the ledger's own backups count, five stay, the one just made among them
// even when the clock went back.
TEST(BackupsBeyondKept, TakesTheOldestOfTheLedgersOwnBackupsOnly)
{
    std::vector<std::string> listing = {
        "enero 2025-01-01 10.00.00.log", "Enero 2025-01-01 10.00.00.log.txt", "Enero 2025-1-01 10.00.00.log",
        "Enero2 2025-01-01 10.00.00.log", "Enero 2025-01-01 10.00.0a.log", "Enero 2025-01-01 10.00.00 (2).log",
        "Enero.log", "x Enero 2025-01-01 10.00.00.log", "Enero 2025-12-31 23.59.59.log"};
    for (char day = '7'; day > '1'; --day) listing.push_back("Enero 2026-01-0" + std::string(1, day) + " 10.00.00.log");
    const auto beyond = [&](const char* made) { return BackupsBeyondKept(listing, "Enero", made); };
    EXPECT_EQ(beyond("Enero 2026-01-07 10.00.00.log"),
              (std::vector<std::string>{"Enero 2025-12-31 23.59.59.log", "Enero 2026-01-02 10.00.00.log"}));
    EXPECT_EQ(beyond("Enero 2025-12-31 23.59.59.log"),
              (std::vector<std::string>{"Enero 2026-01-02 10.00.00.log", "Enero 2026-01-03 10.00.00.log"}));
    listing.resize(listing.size() - 2);  // five of its own
    EXPECT_TRUE(beyond("Enero 2026-01-07 10.00.00.log").empty());
}

}  // namespace
