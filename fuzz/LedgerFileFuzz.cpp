// LoadLedgerFile on any file, through a file system in memory. The file is the
// input after its first byte; a first byte from 0xF8 up stands instead for a
// file of 36499 to 36502 records, with 161 bytes more when its third bit is
// set, so that the capacity's edge is met without inputs of megabytes.
// Loaded: whole records only, count = size / 162, the bytes unchanged, the
// balance the stored one of the last non-comment record; saving gives back
// exactly those records and leaves no other file behind. Beyond 36501 records
// the load is refused and the ledger stays as it was.
#include "Fuzz.h"

#include "files/LedgerFile.h"
#include "support/MemoryFileSystem.h"
#include "support/Records.h"

#include <algorithm>

namespace {

const std::string LoadedPath = "C:\\Cuentas\\Enero.log";
const std::string SavedPath = "C:\\Cuentas\\Copia.log";
constexpr unsigned char LargeFileMarker = 0xF8;
const std::string EdgeRecord = Record("06/12/2026", "Nomina", "+1", "1251.5", 0);

bool IsLarge(std::string_view input)
{
    return !input.empty() && static_cast<unsigned char>(input[0]) >= LargeFileMarker;
}

std::string FileOf(std::string_view input)
{
    if (!IsLarge(input)) return std::string(input.substr(std::min<std::size_t>(1, input.size())));
    // Built once: repeating a record 36500 times would cost more than the load.
    static const std::string largest = [] {
        std::string records;
        for (int i = 0; i <= LedgerSlots + 1; ++i) records += EdgeRecord;
        return records;
    }();
    const auto marker = static_cast<unsigned char>(input[0]);
    return largest.substr(0, (LedgerSlots - 2 + (marker & 3)) * MovementSize + ((marker & 4) ? MovementSize - 1 : 0));
}

// The balance as the file's records give it, read front to back.
double BalanceReadForward(std::string_view records)
{
    double balance = 0;
    for (std::size_t at = 0; at + MovementSize <= records.size(); at += MovementSize) {
        const std::string_view balanceText = records.substr(at + offsetof(Movement, BalanceText), AmountTextWidth);
        if (TrimSpaces(balanceText) != "*") balance = ParseNumber(balanceText);
    }
    return balance;
}

}  // namespace

void FuzzOne(std::string_view input)
{
    // Reused across inputs: a fresh table of 36501 records costs more than a load.
    static Ledger ledger;
    FillLedger(ledger, SavingRecord);
    MemoryFileSystem files;
    files.Put(LoadedPath, FileOf(input));
    const std::string_view file = *files.Find(LoadedPath);
    const std::size_t records = file.size() / MovementSize;

    const FileResult loaded = LoadLedgerFile(files, LoadedPath, ledger);
    if (records > static_cast<std::size_t>(LedgerSlots)) {
        Require(!loaded.Ok && !loaded.Reason.empty(), "a file beyond the table's slots is refused with a reason");
        Require(ledger.Count == 1 && LedgerBytes(ledger) == SavingRecord && ledger.CurrentBalance == 1250.5,
                "a refused load leaves the ledger as it was");
        return;
    }
    const std::string_view wholeRecords = file.substr(0, records * MovementSize);
    Require(loaded.Ok, "a file within the table's slots loads");
    Require(LedgerBytes(ledger) == wholeRecords, "the ledger holds the whole records unchanged");
    // A large file repeats one record; reading it forward would cost more than the load.
    Require(ledger.CurrentBalance == (IsLarge(input) ? 1251.5 : BalanceReadForward(wholeRecords)),
            "the balance is the last stored one");

    Require(SaveLedgerFile(files, SavedPath, ledger).Ok, "saving to memory succeeds");
    Require(*files.Find(SavedPath) == wholeRecords, "saving gives back exactly the whole records");
    Require(files.FileCount() == 2, "saving leaves no other file behind");
}
