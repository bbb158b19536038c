// Backups of replaced ledgers: their names and order, the 127 characters their
// typed names fit, and what pruning takes. The fault census (FileCommandsTest)
// makes each of their steps fail.
#include "ledger/files/Backups.h"
#include "ledger/files/LedgerFile.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

using namespace cofrelo;
using namespace std::chrono;

namespace {

const local_seconds Replaced = local_days{2026y / 12 / 7} + 17h + 5min + 9s;

TEST(BackupTypedName, NamesTheLedgerAndTheTimeInTheTypedNamesFolder)
{
    const struct { const char* typed; local_seconds at; const char* name; } cases[] = {
        {"ahorros", Replaced, "Copias\\ahorros 2026-12-07 17.05.09"},
        {"2025\\Enero", local_days{2026y / 1 / 2} + 3h + 4min + 5s, "2025\\Copias\\Enero 2026-01-02 03.04.05"},
        {"a/b\\Ene ro ", local_days{999y / 10 / 31} + 0s, "a/b\\Copias\\Ene ro  0999-10-31 00.00.00"},
    };
    for (const auto& c : cases) EXPECT_EQ(BackupTypedName(c.typed, c.at), c.name);
}

// Over five centuries in ever longer steps, through every carry of every field.
TEST(BackupTypedName, SortsByTime)
{
    std::string previous;
    local_seconds at = local_days{2025y / 12 / 31} + 23h + 59min + 50s;
    for (int step = 0; step < 2000; ++step, at += seconds(1 + step * 7919)) {
        const std::string name = *BackupTypedName("Enero", at);
        EXPECT_LT(previous, name);
        previous = name;
    }
}

// Typed names of every length, in folders of every depth, in two-byte
// characters: the backup's typed name fits; a ledger name is cut only when it
// must be, and two cut to the same beginning stay apart. A typed folder part
// that leaves no room for a cut name (more than 91 characters) gets no backup.
TEST(BackupTypedName, AlwaysFits127Characters)
{
    for (std::size_t folder = 0; folder < LedgerFileNameCapacity; folder += 3) {
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

TEST(BackupsBeyondKept, TakesTheOldestOfTheLedgersOwnBackupsOnly)
{
    std::vector<std::string> listing = {
        "Enero 2026-01-02 10.00.00.log", "enero 2025-01-01 10.00.00.log", "Enero 2025-01-01 10.00.00.log.txt",
        "Enero 2025-1-01 10.00.00.log", "Enero2 2025-01-01 10.00.00.log", "Enero 2025-01-01 10.00.0a.log",
        "Enero 2025-01-01 10.00.00 (2).log", "Enero.log", "x Enero 2025-01-01 10.00.00.log",
        "Enero 2026-01-06 10.00.00.log", "Enero 2026-01-03 10.00.00.log", "Enero 2026-01-05 10.00.00.log",
        "Enero 2026-01-07 10.00.00.log",
    };
    EXPECT_TRUE(BackupsBeyondKept(listing, "Enero", "Enero 2026-01-07 10.00.00.log").empty());  // five of its own
    listing.push_back("Enero 2026-01-04 10.00.00.log");
    listing.push_back("Enero 2025-12-31 23.59.59.log");
    EXPECT_EQ(BackupsBeyondKept(listing, "Enero", "Enero 2026-01-04 10.00.00.log"),
              (std::vector<std::string>{"Enero 2025-12-31 23.59.59.log", "Enero 2026-01-02 10.00.00.log"}));
    // Made after the clock went back, the newest backup stays all the same.
    EXPECT_EQ(BackupsBeyondKept(listing, "Enero", "Enero 2025-12-31 23.59.59.log"),
              (std::vector<std::string>{"Enero 2026-01-02 10.00.00.log", "Enero 2026-01-03 10.00.00.log"}));
}

// Seven saves within one second: each backup takes the next free second, none
// is overwritten, and the five most recent versions stay.
TEST(SaveLedgerKeepingBackup, GivesSavesWithinOneSecondTheNextFreeSeconds)
{
    MemoryFileSystem files;
    std::vector<std::string> versions = {"version 0"};
    files.Put("C:\\Cuentas\\Enero.log", versions[0]);
    for (int save = 1; save <= 7; ++save) {
        versions.push_back(save == 1 ? SavingRecord : versions.back() + SavingRecord);
        BackupOutcome backup;
        EXPECT_TRUE(SaveLedgerKeepingBackup(files, "C:\\Cuentas\\", "Enero", LedgerOf(versions.back()), Replaced, backup));
        EXPECT_EQ(backup.What, BackupOutcome::Step::Kept) << backup.Reason;
    }
    for (int version = 2; version <= 6; ++version)
        EXPECT_EQ(*files.Find("C:\\Cuentas\\Copias\\Enero 2026-12-07 17.05." + std::to_string(9 + version) + ".log"),
                  versions[version]);
    EXPECT_EQ(files.FileCount(), 6u) << files.Listing();
}

}  // namespace
