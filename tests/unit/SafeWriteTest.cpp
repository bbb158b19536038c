// What only the system's file layer shows, which the census of faults in
// FileCommandsTest runs in memory: names and paths of every kind, read-only
// files, devices, a missing folder, a folder where a file should be. Natively
// and under Wine alike.
#include "ledger/files/LedgerFile.h"
#include "ledger/files/LongPath.h"
#include "ledger/files/SafeWrite.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

using namespace cofrelo;

namespace {

namespace fs = std::filesystem;

// Paths in the program are UTF-8, on Windows too.
fs::path PathOf(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string Utf8Of(const fs::path& path)
{
    const std::u8string utf8 = path.u8string();
    return {utf8.begin(), utf8.end()};
}

// A fresh empty folder, removed with everything in it when the object dies.
struct ScratchFolder {
    ScratchFolder() { fs::create_directories(PathOf(path)); }
    // Without exceptions: a destructor must not throw, and paths beyond MAX_PATH
    // may not be walked everywhere. No file is left read-only unless a test fails.
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(PathOf(path), ignored);
    }

    // With its trailing separator, ready to have a name appended.
    const std::string path =
        Utf8Of(fs::temp_directory_path() / ("cofrelo-test-" + std::to_string(std::random_device()())) / "");
};

// The files in a folder, given with its trailing separator, as the system lists them.
std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    EXPECT_TRUE(SystemFileSystem().ListFiles(folder.substr(0, folder.size() - 1), names)) << folder;
    return names;
}

const std::string Saved = "saved";

// Exactly the name given, in any script, is written, over a read-only file as
// well. The temporary file has a short name of its own, so a target the system
// takes can always be written: a last part of 255 characters (the most a
// folder entry may have) and a path of 381 characters, far beyond MAX_PATH, alike.
// The file replaced is kept, when asked, byte for byte in a folder made for it.
// Each file is read back by its name through the standard library.
TEST(ReplaceFileContents, WritesEveryNameTheSystemTakes)
{
    // Beside its target, on the same volume, so that moving it in place is one step.
    EXPECT_EQ(TemporaryPathFor("C:\\Cuentas\\Enero.log", 2), "C:\\Cuentas\\~Cofrelo.2.tmp");
    const std::string longestName = std::string(251, 'n') + ".log";
    const std::string deepFolders =
        std::string(120, 'a') + "/" + std::string(120, 'b') + "/" + std::string(120, 'c') + "/";
    const struct { std::string folders; std::string name; bool readOnlyBefore, keepOld; } cases[] = {
        {"", longestName, false, false}, {deepFolders, longestName, false, false},
        {"\u041A\u043E\u043F\u0438\u043B\u043A\u0430/", "\u0141\u00F3d\u017A.log", false, false},
        {"", "Enero.log", true, false}, {"\u0141\u0105ka/", "\uFF41\uFF42\uFF3C\uFF43.log", true, true}};
    for (const auto& [folders, name, readOnlyBefore, keepOld] : cases) {
        ScratchFolder scratch;
        fs::create_directories(PathOf(scratch.path + folders));
        const std::string path = scratch.path + folders + name;
        if (readOnlyBefore || keepOld) std::ofstream(PathOf(path)) << "old";
        if (readOnlyBefore) fs::permissions(PathOf(path), fs::perms::owner_read);  // read-only
        const std::string backups = scratch.path + folders + "Copias";
        FileResult kept;  // the second time, the folder is there already
        EXPECT_TRUE(!keepOld || (SystemFileSystem().CreateFolder(backups) && SystemFileSystem().CreateFolder(backups)));
        const FileResult written = keepOld ? ReplaceFileContentsKeepingOld(SystemFileSystem(), path, Saved,
                                                                           backups + "/" + name, kept)
                                           : ReplaceFileContents(SystemFileSystem(), path, Saved);
        EXPECT_TRUE(written) << path.size() << " characters: " << written.Reason;
        std::ifstream file(PathOf(path), std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), Saved) << path.size() << " characters";
        EXPECT_EQ(FilesIn(scratch.path + folders), std::vector{name}) << path;
        if (!keepOld) continue;
        std::ifstream backup(PathOf(backups + "/" + name), std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(backup), {}), "old");
        EXPECT_TRUE(kept && FilesIn(backups + "/") == std::vector{name}) << kept.Reason;
    }
}

TEST(LongPathForm, ExtendsFullPathsFromMaxPathOn)
{
    const std::wstring name259 = LR"(C:\)" + std::wstring(256, L'a'), name260 = name259 + L"a";
    const std::wstring share = std::wstring(LR"(server\share\)") + std::wstring(245, L'a');
    const std::pair<std::wstring, std::wstring> cases[] = {
        {name259, name259}, {name260, LR"(\\?\)" + name260}, {LR"(\\)" + share, LR"(\\?\UNC\)" + share},
        {LR"(\\?\)" + name260, LR"(\\?\)" + name260}, {LR"(\\.\)" + name260, LR"(\\.\)" + name260}};
    for (const auto& [path, expected] : cases) EXPECT_TRUE(LongPathForm(path) == expected) << path.size();
}

// A device, a missing folder, a folder where a file should be: nothing is
// written, loading leaves everything as it was, and the system's reason is told.
TEST(SystemFiles, AreRefusedWhenTheyAreNoFiles)
{
#ifdef _WIN32
    const std::string device = "NUL";
#else
    const std::string device = "/dev/null";
#endif
    EXPECT_EQ(ReplaceFileContents(SystemFileSystem(), device, Saved).Reason, NotAFileReason);
    ScratchFolder folder;
    const FileResult result = ReplaceFileContents(SystemFileSystem(), folder.path + "missing/ledger.log", Saved);
    EXPECT_TRUE(!result && !result.Reason.empty()) << result.Reason;
    EXPECT_TRUE(FilesIn(folder.path).empty());

    // A folder where a file should be: on POSIX it even opens for reading. The
    // configuration file is opened the same way.
    fs::create_directories(PathOf(folder.path + "Enero.log"));
    Ledger ledger = LedgerOf(SavingRecord);
    EXPECT_FALSE(LoadLedgerFile(SystemFileSystem(), folder.path + "Enero.log", ledger));
    EXPECT_EQ(LedgerBytes(ledger), SavingRecord);
}

}  // namespace
