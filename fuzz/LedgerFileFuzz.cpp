// LoadLedgerFile on any file, through a file system in memory. Loaded: whole
// records only, the bytes unchanged; saving gives back exactly those records
// and leaves no other file behind. (Files at the table's edge, megabytes of one
// record repeated, are the unit tests' business: fuzzing cannot vary them.)
#include "fuzz/Fuzz.h"

#include "ledger/files/LedgerFile.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/Records.h"

#include <cmath>

using namespace cofrelo;

void FuzzOne(std::string_view file)
{
    // Reused across inputs: a fresh table of 36501 records costs more than a load.
    static Ledger ledger;
    ledger.Load(SavingRecord);
    MemoryFileSystem files;
    files.Put("Enero.log", std::string(file));
    const std::string_view wholeRecords = file.substr(0, file.size() / MovementSize * MovementSize);

    Require(LoadLedgerFile(files, "Enero.log", ledger).Ok, "a file within the table's slots loads");
    Require(LedgerBytes(ledger) == wholeRecords, "the ledger holds the whole records unchanged");
    Require(std::isfinite(ledger.CurrentBalance()), "the balance is a finite value");
    Require(SaveLedgerFile(files, "Copia.log", ledger).Ok, "saving to memory succeeds");
    Require(*files.Find("Copia.log") == wholeRecords, "saving gives back exactly the whole records");
    Require(files.FileCount() == 2, "saving leaves no other file behind");
}
