// The four menu commands that work with the current document name: "Leer",
// "Grabar", "Exportar a TXT" and "Exportar a Tabla RTF". They talk to the user
// only through User.
#pragma once

#include "ledger/data/Ledger.h"
#include "ledger/files/FileSystem.h"
#include "ledger/files/User.h"

#include <chrono>
#include <string>

namespace cofrelo {

enum class OverwriteOutcome { NewFile, Replaced, Declined };

// Asks before an existing file (or folder) at the path is replaced. The old file
// is not deleted here: the writing that follows replaces it in one step, and
// keeps it whole if the writing fails.
OverwriteOutcome ConfirmOverwrite(const std::string& path, FileSystem& files, User& user);

// The commands that write refuse a path with a colon anywhere but after the
// drive letter of a full path: on Windows it would name a hidden stream of
// another file instead of a file of its own. "Leer" opens whatever opens.
inline constexpr std::string_view ColonInNameText = "El nombre del fichero no puede llevar dos puntos (:)";

// "Leer". Returns true when the ledger was replaced by the file's contents, so
// that the caller rebuilds the list; on false the ledger is as it was.
bool ReadLedger(Ledger& ledger, std::string& ledgerFileName, const std::string& dataFolder, FileSystem& files,
                User& user);

// "Grabar". A ledger file replaced is kept as a backup named after `now`, the
// local time (see Backups.h); when that fails, a message after the confirmation
// says why.
void SaveLedger(const Ledger& ledger, std::string& ledgerFileName, const std::string& dataFolder,
                std::chrono::local_seconds now, FileSystem& files, User& user);

// "Exportar a TXT".
void ExportText(const Ledger& ledger, std::string& ledgerFileName, const std::string& dataFolder,
                bool american, FileSystem& files, User& user);

// "Exportar a Tabla RTF".
void ExportRtf(const Ledger& ledger, std::string& ledgerFileName, const std::string& dataFolder,
               bool american, FileSystem& files, User& user);

}  // namespace cofrelo
