// "Configurador.log" next to the executable: the settings as binary records of
// 279 bytes, of which the last one counts.
#pragma once

#include "ledger/files/FileSystem.h"
#include "ledger/files/User.h"
#include "ledger/settings/AnsiCodePage.h"
#include "ledger/settings/Settings.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace cofrelo {

// The configuration file keeps the folder in a 255-byte NUL-terminated field:
// at most 254 bytes of ANSI text.
inline constexpr std::size_t FolderCapacity = 254;

inline constexpr std::size_t SettingsRecordSize = 279;
inline constexpr std::string_view SettingsFileName = "Configurador.log";

// One record of the configuration file: the three text colors, the three
// background colors (both in the order expense, saving, comment, little-endian)
// and the data folder with its NUL in a 255-byte field.
//
// The field holds the folder's ANSI form when it has one of at most 254 bytes.
// Otherwise a folder inside the program's folder (or that folder itself) is
// kept as ".\" and the ANSI form of the rest, read back relative to the
// program's folder. Any other folder cannot be kept.
using SettingsRecord = std::array<char, SettingsRecordSize>;

// The configuration file in the program's folder. Like the program always has,
// it keeps the last record read or written, so the bytes after the folder's
// NUL in a new record are those of the previous one; nothing reads them.
class ConfigurationFile {
public:
    ConfigurationFile(FileSystem& files, const std::string& programFolder, const AnsiCodePage& codePage);

    const std::string& Path() const { return path_; }

    // Why the folder field cannot keep the folder; none when it can.
    std::optional<std::string> WhyNotKept(const std::string& folder) const;

    // Applies the file's last whole record, if it has one. A file that cannot be
    // read leaves the settings as they are.
    FileResult LoadSettings(Settings& settings);

    // Replaces the file by one holding a single record. If that fails, or the
    // data folder cannot be kept, the old file stays as it was.
    FileResult SaveSettings(const Settings& settings);

private:
    // The forms the folder field may take for the folder, best first: its ANSI
    // form, and for a folder inside the program's folder ".\" and the ANSI form
    // of the rest; none where the code page cannot hold a letter.
    std::array<std::optional<std::string>, 2> FieldForms(const std::string& folder) const;
    // The first form that fits the field.
    std::optional<std::string> FolderField(const std::string& folder) const;
    std::string FolderFromField(std::string_view field) const;

    FileSystem& files_;
    std::string programFolder_;
    const AnsiCodePage& codePage_;
    std::string path_;
    SettingsRecord record_{};
};

// "Aceptar" of the configuration dialog: the chosen settings take force at
// once and are saved. When the file cannot be written the user is told, and
// the settings stay in force for the rest of the run.
void SaveConfiguration(Settings& settings, const Settings& chosen, ConfigurationFile& file, User& user);

}  // namespace cofrelo
