// The row colours and the data folder, kept in "Configurador.log" next to the
// executable as binary records of 279 bytes.
#pragma once

#include "files/FileSystem.h"
#include "files/UserDialogue.h"
#include "settings/AnsiCodePage.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// 0x00BBGGRR: red in the lowest byte, as the Windows COLORREF.
using Colour = std::uint32_t;

// The configuration file keeps the folder in a 255-byte NUL-terminated field:
// at most 254 bytes of ANSI text.
inline constexpr std::size_t FolderCapacity = 254;

struct Settings {
    Colour ExpenseTextColor = 0x00FFFFFF;  // white
    Colour ExpenseBackColor = 0x000000FF;  // red
    Colour SavingTextColor = 0x00FFFFFF;   // white
    Colour SavingBackColor = 0x00FF0000;   // blue
    Colour CommentTextColor = 0x00FFFFFF;  // white
    Colour CommentBackColor = 0x00C0C0C0;  // silver
    std::string DataFolder;                // where ledger files and exports go; ends with "\"; UTF-8

    bool operator==(const Settings&) const = default;
};

// The executable's folder with its trailing "\": the whole module path up to
// and including its last backslash.
std::string ProgramFolderFromModulePath(std::string_view modulePath);

// A folder as the data folder keeps it: ending with "\".
std::string AsDataFolder(std::string_view folder);

// The defaults of every start: default colours, data in the program's folder.
Settings DefaultSettings(const std::string& programFolder);

inline constexpr std::size_t SettingsRecordSize = 279;
inline constexpr std::string_view SettingsFileName = "Configurador.log";

// One record of the configuration file: the three text colours, the three
// background colours (both in the order expense, saving, comment, little-endian)
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
    ConfigurationFile(FileSystem& files, const std::string& programFolder,
                      const AnsiCodePage& codePage = SystemAnsiCodePage());

    const std::string& Path() const { return path_; }

    // Whether the folder field can hold the folder, one way or the other.
    bool CanKeep(const std::string& folder) const { return FolderField(folder).has_value(); }

    // Applies the file's last whole record, if it has one. A file that cannot be
    // read leaves the settings as they are.
    FileResult LoadSettings(Settings& settings);

    // Replaces the file by one holding a single record. If that fails, or the
    // data folder cannot be kept, the old file stays as it was.
    FileResult SaveSettings(const Settings& settings);

private:
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
void SaveConfiguration(Settings& settings, const Settings& chosen, ConfigurationFile& file, UserDialogue& user);

// Why a folder is refused: the configuration file cannot keep it.
std::string UnkeptFolderText(const std::string& folder);

// The text and background colours of a list row of the given movement kind;
// none for a kind the program does not know (the list's own colours then).
struct RowColours {
    Colour Text;
    Colour Back;
};
std::optional<RowColours> RowColoursFor(std::int32_t kind, const Settings& settings);
