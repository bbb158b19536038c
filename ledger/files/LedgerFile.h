// The ledger file: a headerless sequence of 162-byte movement records, in
// table order, under the current document name. Also the name and path rules
// that the ledger file shares with the two exports.
#pragma once

#include "ledger/files/FileSystem.h"
#include "ledger/data/Ledger.h"

#include <string>
#include <string_view>

namespace cofrelo {

// Longer names are cut: the document name has always been kept in 127
// characters. The name is UTF-8; characters are counted, not bytes.
inline constexpr std::size_t LedgerFileNameCapacity = 127;

inline constexpr std::string_view LedgerFileExtension = ".log";
inline constexpr std::string_view TextExportExtension = ".txt";
inline constexpr std::string_view RtfExportExtension = ".rtf";

// The name as typed, cut at 127 characters (never inside one); nothing else is
// checked or changed.
std::string LedgerFileNameFromTyped(std::string_view typed);

// Characters of UTF-8 text, as the name box counts them.
std::size_t CharacterCount(std::string_view text);
// The text's first `characters` characters, never cut inside one.
std::string_view CutAtCharacters(std::string_view text, std::size_t characters);

// DataFolder + name + extension, joined with nothing in between: the folder
// brings its own trailing "\", and an empty one leaves the bare name.
std::string DocumentPath(std::string_view dataFolder, std::string_view ledgerFileName, std::string_view extension);

// Replaces the ledger with the file's whole records (1 to 161 bytes left at the
// end are ignored) and re-establishes CurrentBalance from the stored balances.
// On failure, including a file with more records than the table has slots, the
// ledger stays exactly as it was and the reason is returned.
FileResult LoadLedgerFile(FileSystem& files, const std::string& path, Ledger& ledger);

// Replaces the file by records 0 to Count-1, byte for byte as in memory. On
// failure, an existing file keeps its old contents.
FileResult SaveLedgerFile(FileSystem& files, const std::string& path, const Ledger& ledger);

}  // namespace cofrelo
