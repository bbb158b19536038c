// LoadLedgerFile on any file, through a file system in memory. Loaded: whole
// records only, the bytes unchanged, the balance the stored one of the last
// non-comment record; saving gives back exactly those records and leaves no
// other file behind. (Files at the table's edge, megabytes of one record
// repeated, are the unit tests' business: fuzzing cannot vary them.)
#include "Fuzz.h"

#include "files/LedgerFile.h"
#include "support/MemoryFileSystem.h"
#include "support/Records.h"

namespace {

const std::string LoadedPath = "C:\\Cuentas\\Enero.log";
const std::string SavedPath = "C:\\Cuentas\\Copia.log";

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

void FuzzOne(std::string_view file)
{
    // Reused across inputs: a fresh table of 36501 records costs more than a load.
    static Ledger ledger;
    FillLedger(ledger, SavingRecord);
    MemoryFileSystem files;
    files.Put(LoadedPath, std::string(file));
    const std::string_view wholeRecords = file.substr(0, file.size() / MovementSize * MovementSize);

    Require(LoadLedgerFile(files, LoadedPath, ledger).Ok, "a file within the table's slots loads");
    Require(LedgerBytes(ledger) == wholeRecords, "the ledger holds the whole records unchanged");
    Require(ledger.CurrentBalance == BalanceReadForward(wholeRecords), "the balance is the last stored one");
    Require(SaveLedgerFile(files, SavedPath, ledger).Ok, "saving to memory succeeds");
    Require(*files.Find(SavedPath) == wholeRecords, "saving gives back exactly the whole records");
    Require(files.FileCount() == 2, "saving leaves no other file behind");
}
