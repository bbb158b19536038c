// LoadLedgerFile on any file, through a file system in memory. The file is the
// input after its first byte; a first byte from 0xF8 up stands instead for a
// file of 36499 to 36502 copies of one record, with 161 bytes more when its
// third bit is set, so that the capacity's edge is met without inputs of
// megabytes (and without the fuzzer keeping many such slow inputs).
// Loaded: whole records only, count = size / 162, the bytes unchanged, the
// balance the stored one of the last non-comment record; saving gives back
// exactly those records and leaves no other file behind. Beyond 36501 records
// the load is refused and the ledger stays as it was.
#include "FuzzCheck.h"
#include "FuzzLedger.h"
#include "files/LedgerFile.h"
#include "MemoryFileSystem.h"

#include <cmath>

namespace {

const std::string LoadedPath = "C:\\Cuentas\\Enero.log";
const std::string SavedPath = "C:\\Cuentas\\Copia.log";

constexpr std::uint8_t LargeFileMarker = 0xF8;

std::string SavingRecord(std::string_view date, std::string_view amount, std::string_view balance)
{
    std::string record(date);
    record.resize(14, ' ');
    record += "Nomina";
    record.resize(114, ' ');
    record += amount;
    record.resize(136, ' ');
    record += balance;
    record.resize(158, ' ');
    return record + std::string(4, '\0');
}

// What the ledger holds before each load, so that a refused load shows
// whether anything changed.
const std::string PreviousRecord = SavingRecord("05/12/2026", "+1250.5", "1250.5");
// What a file at the capacity's edge is made of.
const std::string EdgeRecord = SavingRecord("06/12/2026", "+1", "1251.5");

std::string LargeFile(std::uint8_t marker)
{
    const std::size_t records = LedgerSlots - 2 + (marker & 3);
    std::string file;
    file.reserve((records + 1) * MovementSize);
    for (std::size_t i = 0; i < records; ++i) file += EdgeRecord;
    if ((marker & 4) != 0) file += EdgeRecord.substr(0, MovementSize - 1);
    return file;
}

std::string FileOf(std::string_view input)
{
    if (input.empty()) return {};
    const auto marker = static_cast<std::uint8_t>(input.front());
    return marker < LargeFileMarker ? std::string(input.substr(1)) : LargeFile(marker);
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

std::string_view LedgerBytes(const Ledger& ledger)
{
    const auto count = static_cast<std::size_t>(ledger.Count);
    return {reinterpret_cast<const char*>(ledger.Movements.get()), count * MovementSize};
}

void CheckRefused(const FileResult& loaded, const Ledger& ledger)
{
    Require(!loaded.Ok && !loaded.Reason.empty(), "a file beyond the table's slots is refused with a reason");
    Require(ledger.Count == 1 && LedgerBytes(ledger) == PreviousRecord && ledger.CurrentBalance == 1250.5,
            "a refused load leaves the ledger as it was");
}

void CheckLoaded(const FileResult& loaded, const Ledger& ledger, std::string_view wholeRecords)
{
    Require(loaded.Ok, "a file within the table's slots loads");
    Require(static_cast<std::size_t>(ledger.Count) * MovementSize == wholeRecords.size(), "count = size / 162");
    Require(LedgerBytes(ledger) == wholeRecords, "the records are the file's bytes unchanged");
    Require(ledger.CurrentBalance == StoredBalance(ledger), "CurrentBalance equals StoredBalance");
    Require(ledger.CurrentBalance == BalanceReadForward(wholeRecords), "the balance is the last stored one");
    Require(std::isfinite(ledger.CurrentBalance), "the balance is finite");
}

void CheckSaved(MemoryFileSystem& files, const Ledger& ledger, std::string_view wholeRecords)
{
    Require(SaveLedgerFile(files, SavedPath, ledger).Ok, "saving to memory succeeds");
    const std::string* saved = files.Find(SavedPath);
    Require(saved != nullptr && *saved == wholeRecords, "saving gives back exactly the whole records");
    Require(files.FileCount() == 2, "saving leaves no other file behind");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Reused across inputs: a fresh table of 36501 records costs more than a load.
    static Ledger ledger;
    FillLedger(ledger, PreviousRecord);

    std::string file = FileOf(InputText(data, size));
    const std::size_t records = file.size() / MovementSize;
    MemoryFileSystem files;
    files.Put(LoadedPath, std::move(file));
    const FileResult loaded = LoadLedgerFile(files, LoadedPath, ledger);
    if (records > static_cast<std::size_t>(LedgerSlots)) {
        CheckRefused(loaded, ledger);
        return 0;
    }
    const std::string_view wholeRecords = std::string_view(*files.Find(LoadedPath)).substr(0, records * MovementSize);
    CheckLoaded(loaded, ledger, wholeRecords);
    CheckSaved(files, ledger, wholeRecords);
    return 0;
}
