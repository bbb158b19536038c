// ConfigurationFile::LoadSettings on any file, through a file system in memory.
// Loaded: a folder that can be kept again and has no NUL. Saving writes one
// record of 279 bytes in place of the old file, and a later run loads the same
// settings from it.
#include "fuzz/Fuzz.h"

#include "ledger/settings/ConfigurationFile.h"
#include "tests/support/MemoryFileSystem.h"

using namespace cofrelo;

void FuzzOne(std::string_view file)
{
    const std::string programFolder = "C:\\Cofrelo\\";
    MemoryFileSystem files;
    ConfigurationFile configuration(files, programFolder, SystemAnsiCodePage());
    files.Put(configuration.Path(), std::string(file));
    Settings settings = DefaultSettings(programFolder);
    Require(configuration.LoadSettings(settings).Ok, "a file in memory loads");
    Require(!configuration.WhyNotKept(settings.DataFolder) && settings.DataFolder.find('\0') == std::string::npos,
            "the folder read can be kept again and holds no NUL");

    Require(configuration.SaveSettings(settings).Ok, "saving to memory succeeds");
    Require(files.Find(configuration.Path())->size() == SettingsRecordSize && files.FileCount() == 1,
            "the saved file is one record and nothing else is left");
    Settings reloaded = DefaultSettings("D:\\Otro\\");
    ConfigurationFile later(files, programFolder, SystemAnsiCodePage());
    Require(later.LoadSettings(reloaded).Ok && reloaded == settings, "a later run loads the same settings");
}
