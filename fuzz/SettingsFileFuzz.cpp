// ConfigurationFile::LoadSettings on any file, through a file system in memory.
// Loaded: the colours and folder of the last whole record (the defaults when
// there is none), a folder that can be kept again and has no NUL. Saving
// writes one record of 279 bytes in place of the old file, and a later run
// loads the same settings from it.
#include "Fuzz.h"

#include "settings/Settings.h"
#include "support/MemoryFileSystem.h"

#include <algorithm>

namespace {

const std::string ProgramFolder = "C:\\Cofrelo\\";

// The file read by hand: its last whole record over the defaults.
Settings ExpectedSettings(std::string_view file)
{
    Settings settings = DefaultSettings(ProgramFolder);
    if (file.size() < SettingsRecordSize) return settings;
    const std::string_view last = file.substr((file.size() / SettingsRecordSize - 1) * SettingsRecordSize);
    Colour* const colours[] = {&settings.ExpenseTextColor, &settings.SavingTextColor, &settings.CommentTextColor,
                               &settings.ExpenseBackColor, &settings.SavingBackColor, &settings.CommentBackColor};
    for (std::size_t c = 0; c < 6; ++c) {
        *colours[c] = 0;
        for (std::size_t i = 0; i < 4; ++i) *colours[c] |= Colour{static_cast<unsigned char>(last[4 * c + i])} << (8 * i);
    }
    const std::string_view folder = last.substr(24, SettingsRecordSize - 24);
    const std::string_view field = folder.substr(0, std::min(folder.find('\0'), FolderCapacity));
    // The field is ANSI (Latin-1 here); ".\" starts a folder inside the program's.
    const AnsiCodePage& ansi = SystemAnsiCodePage();
    settings.DataFolder = field.starts_with(".\\") ? ProgramFolder + ansi.ToUtf8(field.substr(2)) : ansi.ToUtf8(field);
    return settings;
}

}  // namespace

void FuzzOne(std::string_view file)
{
    MemoryFileSystem files;
    ConfigurationFile configuration(files, ProgramFolder);
    files.Put(configuration.Path(), std::string(file));
    Settings settings = DefaultSettings(ProgramFolder);
    Require(configuration.LoadSettings(settings).Ok, "a file in memory loads");
    Require(settings == ExpectedSettings(file), "the settings are those of the last whole record");
    Require(configuration.CanKeep(settings.DataFolder) && settings.DataFolder.find('\0') == std::string::npos,
            "the folder read can be kept again and holds no NUL");

    Require(configuration.SaveSettings(settings).Ok, "saving to memory succeeds");
    Require(files.Find(configuration.Path())->size() == SettingsRecordSize && files.FileCount() == 1,
            "the saved file is one record and nothing else is left");
    Settings reloaded = DefaultSettings("D:\\Otro\\");
    Require(ConfigurationFile(files, ProgramFolder).LoadSettings(reloaded).Ok && reloaded == settings,
            "a later run loads the same settings");
}
