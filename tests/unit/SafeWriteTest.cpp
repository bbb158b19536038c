// What only the system's file layer shows, which the census of faults in
// FileCommandsTest runs in memory: names and paths of every kind, read-only
// files, devices, a missing folder, a folder where a file should be.
#include "files/LedgerFile.h"
#include "files/LongPath.h"
#include "files/SafeWrite.h"
#include "settings/Settings.h"
#include "support/Records.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

const std::string Saved = "saved";

// Exactly the name given, in any script, is written, over a read-only file as
// well. The temporary file has a short name of its own, so a target the system
// takes can always be written: a last part of 255 characters (the most a
// folder entry may have) and a path of 381 characters, far beyond MAX_PATH, alike.
TEST(ReplaceFileContents, WritesEveryNameTheSystemTakes)
{
    const std::string longestName = std::string(251, 'n') + ".log";
    const std::string deepFolders = std::string(120, 'a') + "/" + std::string(120, 'b') + "/" + std::string(120, 'c') + "/";
    const struct { std::string folders; std::string name; bool readOnlyBefore; } cases[] = {
        {"", longestName, false},
        {deepFolders, longestName, false},
        {"\u041A\u043E\u043F\u0438\u043B\u043A\u0430/", "\u0141\u00F3d\u017A.log", false},
        {"\u0141\u0105ka/", "\uFF41\uFF42\uFF3C\uFF43.log", true},
    };
    for (const auto& [folders, name, readOnlyBefore] : cases) {
        ScratchFolder scratch;
        MakeFolder(scratch / folders);
        const std::string path = scratch / folders + name;
        if (readOnlyBefore) {
            WriteBytes(path, "old");
            MakeReadOnly(path);
        }
        const FileResult written = ReplaceFileContents(SystemFileSystem(), path, Saved);
        EXPECT_TRUE(written) << path.size() << " characters: " << written.Reason;
        EXPECT_EQ(ReadBytes(path), Saved) << path.size() << " characters";
        EXPECT_EQ(ListingOf(scratch / folders), name) << path.size() << " characters";
    }
}

TEST(TemporaryPathFor, StaysShortInTheTargetsFolder)
{
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Datos\\Enero.log", "C:\\Datos\\~Cofrelo.7.tmp"},
        {"C:\\Datos\\" + std::string(255, 'n'), "C:\\Datos\\~Cofrelo.7.tmp"},
        {"/tmp/datos/Enero.log", "/tmp/datos/~Cofrelo.7.tmp"}, {"Enero.log", "~Cofrelo.7.tmp"},
    };
    for (const auto& [target, temporary] : cases) EXPECT_EQ(TemporaryPathFor(target, 7), temporary) << target;
}

TEST(LongPathForm, ExtendsFullPathsFromMaxPathOn)
{
    const std::wstring name259 = LR"(C:\)" + std::wstring(256, L'a');
    const std::wstring name260 = name259 + L"a";
    const std::wstring share260 = LR"(\\server\share\)" + std::wstring(245, L'a');
    const std::pair<std::wstring, std::wstring> cases[] = {
        {LR"(C:\Datos\Enero.log)", LR"(C:\Datos\Enero.log)"},
        {name259, name259},
        {name260, LR"(\\?\)" + name260},
        {share260, LR"(\\?\UNC\server\share\)" + std::wstring(245, L'a')},
        {LR"(\\?\)" + name260, LR"(\\?\)" + name260},
        {LR"(\\.\)" + name260, LR"(\\.\)" + name260},
    };
    for (const auto& [path, expected] : cases) EXPECT_TRUE(LongPathForm(path) == expected) << path.size();
}

TEST(ReplaceFileContents, RefusesADeviceAndReportsAMissingFolderWithTheSystemsReason)
{
#ifdef _WIN32
    const std::string device = "NUL";
#else
    const std::string device = "/dev/null";
#endif
    EXPECT_EQ(ReplaceFileContents(SystemFileSystem(), device, Saved).Reason, NotAFileReason);
    ScratchFolder folder;
    const FileResult result = ReplaceFileContents(SystemFileSystem(), folder / "missing/ledger.log", Saved);
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.Reason.empty());
    EXPECT_EQ(ListingOf(folder.Path()), "");
}

// A folder where the file should be: on POSIX it even opens for reading.
TEST(LoadingFiles, LeavesEverythingAsItWasWhenAFolderStandsAtThePath)
{
    ScratchFolder folder;
    MakeFolder(folder / "Enero.log");
    MakeFolder(folder / std::string(SettingsFileName));
    Ledger ledger = LedgerOf(SavingRecord);
    EXPECT_FALSE(LoadLedgerFile(SystemFileSystem(), folder / "Enero.log", ledger));
    EXPECT_EQ(LedgerBytes(ledger), SavingRecord);
    Settings settings = DefaultSettings("D:\\");
    EXPECT_FALSE(ConfigurationFile(SystemFileSystem(), folder.Path()).LoadSettings(settings));
    EXPECT_EQ(settings, DefaultSettings("D:\\"));
}

}  // namespace
