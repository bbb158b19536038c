// ConfigurationFile::LoadSettings on any file, through a file system in memory.
// Loaded: the colours and folder of the last whole record (the defaults when
// there is none), the folder at most 254 characters and without NUL. Saving
// what was loaded writes one record of 279 bytes in place of the old file,
// and a later load gives back the same settings.
#include "FuzzCheck.h"
#include "MemoryFileSystem.h"
#include "settings/Settings.h"

#include <algorithm>

namespace {

const std::string ProgramFolder = "C:\\Cofrelo\\";
constexpr std::size_t FolderOffset = 24;

Colour ColourAt(std::string_view record, std::size_t offset)
{
    Colour colour = 0;
    for (std::size_t i = 0; i < 4; ++i) colour |= Colour{static_cast<unsigned char>(record[offset + i])} << (8 * i);
    return colour;
}

// The file read by hand: its last whole record over the defaults.
Settings ExpectedSettings(std::string_view file)
{
    Settings settings = DefaultSettings(ProgramFolder);
    const std::size_t records = file.size() / SettingsRecordSize;
    if (records == 0) return settings;
    const std::string_view last = file.substr((records - 1) * SettingsRecordSize, SettingsRecordSize);
    settings.ExpenseTextColor = ColourAt(last, 0);
    settings.SavingTextColor = ColourAt(last, 4);
    settings.CommentTextColor = ColourAt(last, 8);
    settings.ExpenseBackColor = ColourAt(last, 12);
    settings.SavingBackColor = ColourAt(last, 16);
    settings.CommentBackColor = ColourAt(last, 20);
    const std::string_view folder = last.substr(FolderOffset);
    const std::string_view field = folder.substr(0, std::min(folder.find('\0'), FolderCapacity));
    // The field is ANSI (Latin-1 here); ".\" starts a folder inside the program's.
    const AnsiCodePage& ansi = SystemAnsiCodePage();
    settings.DataFolder = field.starts_with(".\\") ? std::string(ProgramFolder) + ansi.ToUtf8(field.substr(2))
                                                   : ansi.ToUtf8(field);
    return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view file = InputText(data, size);
    MemoryFileSystem files;
    ConfigurationFile configuration(files, ProgramFolder);
    files.Put(configuration.Path(), std::string(file));

    Settings settings = DefaultSettings(ProgramFolder);
    Require(configuration.LoadSettings(settings).Ok, "a file in memory loads");
    Require(settings == ExpectedSettings(file), "the settings are those of the last whole record");
    Require(configuration.CanKeep(settings.DataFolder), "the folder read can be kept again");
    Require(settings.DataFolder.find('\0') == std::string::npos, "the folder holds no NUL");

    Require(configuration.SaveSettings(settings).Ok, "saving to memory succeeds");
    const std::string* saved = files.Find(configuration.Path());
    Require(saved != nullptr && saved->size() == SettingsRecordSize, "the saved file is one record");
    Require(files.FileCount() == 1, "saving leaves no other file behind");

    // A later run: a fresh file object that has read and written nothing yet.
    Settings reloaded = DefaultSettings("D:\\Otro\\");
    ConfigurationFile laterRun(files, ProgramFolder);
    Require(laterRun.LoadSettings(reloaded).Ok, "the saved file loads");
    Require(reloaded == settings, "a save then a load gives back the same settings");
    return 0;
}
