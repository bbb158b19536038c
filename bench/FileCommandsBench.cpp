// How long "Grabar", "Leer" and both exports take for a full ledger of 36500
// movements: as built (the document made in memory and written in one go, the
// file read in one go; "Grabar" over an existing ledger keeping it as a
// backup), and for comparison the way of one open, append and close per
// record or line, and of one read per record.
#include "bench/BenchTiming.h"
#include "tests/support/Records.h"
#include "ledger/files/Backups.h"
#include "ledger/files/LedgerFile.h"
#include "ledger/files/RtfExport.h"
#include "ledger/files/SafeWrite.h"
#include "ledger/files/TextExport.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

using namespace cofrelo;

namespace {

constexpr int FastRuns = 9;
constexpr int SlowRuns = 3;
constexpr int LoadsPerRun = 10;

void Require(const FileResult& result)
{
    if (result) return;
    std::cerr << "failed: " << result.Reason << std::endl;
    std::exit(1);
}

// One open, append and close.
void AppendToFile(const std::string& path, std::span<const char> bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0) {
        std::cerr << "failed to append to " << path << std::endl;
        std::exit(1);
    }
}

void SaveRecordByRecord(const std::string& path, const Ledger& ledger)
{
    std::filesystem::remove(path);
    const std::span<const char> records(LedgerBytes(ledger));
    for (std::size_t offset = 0; offset < records.size(); offset += MovementSize)
        AppendToFile(path, records.subspan(offset, MovementSize));
}

void WriteLineByLine(const std::string& path, const std::string& document)
{
    std::filesystem::remove(path);
    for (std::size_t start = 0; start < document.size();) {
        const std::size_t end = document.find("\r\n", start) + 2;
        AppendToFile(path, std::span<const char>(document).subspan(start, end - start));
        start = end;
    }
}

// Each record read on its own into a table of its own, taking the balance as it goes.
void LoadRecordByRecord(const std::string& path, std::vector<Movement>& table, double& balance)
{
    std::unique_ptr<FileReader> reader;
    Require(SystemFileSystem().OpenForReading(path, reader));
    table.assign(LedgerSlots, Movement{});
    balance = 0;
    const auto records = static_cast<std::size_t>(reader->Size() / MovementSize);
    for (std::size_t i = 0; i < records; ++i) {
        Require(reader->ReadAt(i * MovementSize, {reinterpret_cast<char*>(&table[i]), MovementSize}));
        if (!IsCommentLine(table[i])) balance = ParseNumber(FieldText(table[i].BalanceText));
    }
}

}  // namespace

int main()
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "cofrelo-file-bench";
    std::filesystem::create_directories(folder);
    const std::string base = (folder / "Ahorros").string();
    const std::string ledgerPath = base + ".log";
    const std::string textPath = base + ".txt";
    const std::string rtfPath = base + ".rtf";
    FileSystem& files = SystemFileSystem();
    const Ledger ledger = FullLedger();
    Ledger loaded;

    Report("Grabar, one write of 36500 records",
           MedianMilliseconds(FastRuns, [&](int) { Require(SaveLedgerFile(files, ledgerPath, ledger)); }));
    // A second later each run; from the sixth run on, the oldest backup is removed too.
    const auto replacedAt = std::chrono::local_days{std::chrono::year{2026} / 12 / 7};
    Report("Grabar over an existing ledger, kept as a backup", MedianMilliseconds(FastRuns, [&](int run) {
               BackupOutcome backup;
               Require(SaveLedgerKeepingBackup(files, (folder / "").string(), "Ahorros", ledger,
                                               replacedAt + std::chrono::seconds(run), backup));
               if (backup.What != BackupOutcome::Step::Kept) Require(FileResult::Failure(backup.Reason));
           }));
    // Loading takes about a millisecond, below what Report shows: ten loads per run.
    Report("Leer, one read of 36500 records, 10 times", MedianMilliseconds(FastRuns, [&](int) {
               for (int i = 0; i < LoadsPerRun; ++i) Require(LoadLedgerFile(files, ledgerPath, loaded));
           }));
    Report("Exportar a TXT, built and written in one go", MedianMilliseconds(FastRuns, [&](int) {
               Require(ReplaceFileContents(files, textPath, TextExportContents(ledger, false)));
           }));
    Report("Exportar a Tabla RTF, built and written in one go", MedianMilliseconds(FastRuns, [&](int) {
               Require(ReplaceFileContents(files, rtfPath, RtfExportContents(ledger, false, true)));
           }));

    Report("Grabar, open-append-close per record",
           MedianMilliseconds(SlowRuns, [&](int) { SaveRecordByRecord(ledgerPath, ledger); }));
    std::vector<Movement> table;
    double balance = 0;
    Report("Leer, one read per record, 10 times", MedianMilliseconds(FastRuns, [&](int) {
               for (int i = 0; i < LoadsPerRun; ++i) LoadRecordByRecord(ledgerPath, table, balance);
           }));
    Report("Exportar a TXT, open-append-close per line",
           MedianMilliseconds(SlowRuns, [&](int) { WriteLineByLine(textPath, TextExportContents(ledger, false)); }));
    Report("Exportar a Tabla RTF, open-append-close per line", MedianMilliseconds(SlowRuns, [&](int) {
               WriteLineByLine(rtfPath, RtfExportContents(ledger, false, true));
           }));

    std::filesystem::remove_all(folder);
    return 0;
}
