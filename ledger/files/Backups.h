// Backups of replaced ledgers. When "Grabar" replaces a ledger file, the old
// file is not deleted but goes to the subfolder "Copias" of the ledger's
// folder, under the ledger's name and the time it was replaced:
//
//     Copias\<name part> <yyyy-mm-dd hh.mm.ss>.log
//
// so that a listing sorts by time and "Leer" reads it back when given the
// typed name's folder part, "Copias\" and the backup's name without ".log".
// The five most recent backups of each ledger are kept.
#pragma once

#include "ledger/data/Ledger.h"
#include "ledger/files/FileSystem.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cofrelo {

inline constexpr std::string_view BackupFolderName = "Copias";
inline constexpr std::size_t BackupsKept = 5;

// The name part of the backups of the ledger typed as ledgerFileName. The
// typed name of a backup must fit the name box's 127 characters as well:
// folder part + "Copias\" (7) + name part + " yyyy-mm-dd hh.mm.ss" (20). So the
// name part gets 100 characters less the typed folder part's; a ledger name
// longer than that is cut to leave room for "~" and 8 hex digits of a hash of
// the whole name, which keeps long names with the same beginning apart. None
// when the folder part leaves no room even for that.
std::optional<std::string> BackupNamePart(std::string_view ledgerFileName);

// The typed name that "Leer" takes to read back the backup made at `at` of the
// ledger typed as ledgerFileName; none as for BackupNamePart.
std::optional<std::string> BackupTypedName(std::string_view ledgerFileName, std::chrono::local_seconds at);

// Of the file names in a "Copias" folder, those of backups made for the ledger
// with this name part (its exact pattern, nothing else) beyond the five most
// recent, oldest first. The backup just made is always one of the five, even
// when the clock has gone back and its name sorts before others.
std::vector<std::string> BackupsBeyondKept(std::vector<std::string> fileNames, std::string_view namePart,
                                           const std::string& made);

// What became of the backup, besides the save itself.
struct BackupOutcome {
    enum class Step { Kept, NotMade, NotPruned } What = Step::Kept;
    std::string Path;    // the backup, or "Copias" when the backup could not be named
    std::string Reason;  // why it failed
};

// "Grabar" over an existing ledger file: as SaveLedgerFile, the file replaced
// being kept as a backup made at `replacedAt` (the local time, given by the
// caller), and the oldest beyond five removed. A backup that cannot be made
// costs nothing of the save, which then replaces the file as SaveLedgerFile
// does; nor does a backup that cannot be removed. Two saves within the same
// second: the later backup takes the next second, so that names still sort in
// the order the files were replaced.
FileResult SaveLedgerKeepingBackup(FileSystem& files, const std::string& dataFolder, std::string_view ledgerFileName,
                                   const Ledger& ledger, std::chrono::local_seconds replacedAt,
                                   BackupOutcome& backup);

}  // namespace cofrelo
