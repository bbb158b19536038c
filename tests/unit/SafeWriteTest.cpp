#include "files/LongPath.h"
#include "files/SafeWrite.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

std::span<const char> Span(const std::string& text)
{
    return {text.data(), text.size()};
}

TEST(ReplaceFileContents, CreatesOrReplacesTheWholeFile)
{
    ScratchFolder folder;
    const std::string path = folder / "ledger.log";
    ASSERT_TRUE(ReplaceFileContents(SystemFileSystem(), path, Span("first version, rather long")));
    EXPECT_EQ(ReadBytes(path), "first version, rather long");
    ASSERT_TRUE(ReplaceFileContents(SystemFileSystem(), path, Span("second")));
    EXPECT_EQ(ReadBytes(path), "second");
    EXPECT_EQ(folder.Listing(), "ledger.log");
}

TEST(ReplaceFileContents, ReplacesAReadOnlyFile)
{
    ScratchFolder folder;
    const std::string path = folder / "ledger.log";
    WriteBytes(path, "old");
    MakeReadOnly(path);
    ASSERT_TRUE(ReplaceFileContents(SystemFileSystem(), path, Span("new")));
    EXPECT_EQ(ReadBytes(path), "new");
}

TEST(ReplaceFileContents, StepsAroundLeftoversOfAnInterruptedSave)
{
    ScratchFolder folder;
    const std::string path = folder / "ledger.log";
    WriteBytes(TemporaryPathFor(path, 1), "leftover");
    ASSERT_TRUE(ReplaceFileContents(SystemFileSystem(), path, Span("new")));
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(ReadBytes(TemporaryPathFor(path, 1)), "leftover");
}

// Exactly the name given, in any script, is written. The temporary file has a
// short name of its own, so a target the system takes can always be written: a
// last part of 255 characters (the most a folder entry may have) and a path of
// 381 characters, far beyond MAX_PATH, alike.
TEST(ReplaceFileContents, WritesEveryNameTheSystemTakes)
{
    const std::string longestName = std::string(251, 'n') + ".log";
    const std::string deepFolders = std::string(120, 'a') + "/" + std::string(120, 'b') + "/" + std::string(120, 'c') + "/";
    const std::pair<std::string, std::string> cases[] = {
        {"", longestName},
        {deepFolders, "Enero.log"},
        {deepFolders, longestName},
        {"\u041A\u043E\u043F\u0438\u043B\u043A\u0430/", "\u0141\u00F3d\u017A.log"},
        {"\u0141\u0105ka/", "\uFF41\uFF42\uFF3C\uFF43.log"},
    };
    for (const auto& [folders, name] : cases) {
        ScratchFolder scratch;
        MakeFolder(scratch / folders);
        const std::string path = scratch / folders + name;
        const FileResult written = ReplaceFileContents(SystemFileSystem(), path, Span("saved"));
        EXPECT_TRUE(written) << path.size() << " characters: " << written.Reason;
        EXPECT_EQ(ReadBytes(path), "saved") << path.size() << " characters";
        EXPECT_EQ(ScratchFolder::ListingOf(scratch / folders), name) << path.size() << " characters";
    }
}

TEST(TemporaryPathFor, StaysShortInTheTargetsFolder)
{
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Datos\\Enero.log", "C:\\Datos\\~Cofrelo.7.tmp"},
        {"C:\\Datos\\" + std::string(255, 'n'), "C:\\Datos\\~Cofrelo.7.tmp"},
        {"/tmp/datos/Enero.log", "/tmp/datos/~Cofrelo.7.tmp"},
        {"Enero.log", "~Cofrelo.7.tmp"},
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

// A device is refused before anything is created, written or moved.
TEST(ReplaceFileContents, RefusesADeviceBeforeWritingAnything)
{
#ifdef _WIN32
    const std::string device = "NUL";
#else
    const std::string device = "/dev/null";
#endif
    FaultyFileSystem files(0);  // counts the steps, fails none
    const FileResult result = ReplaceFileContents(files, device, Span("x"));
    EXPECT_FALSE(result);
    EXPECT_EQ(result.Reason, NotAFileReason);
    EXPECT_EQ(files.Steps(), 1);
}

TEST(ReplaceFileContents, ReportsAMissingFolderWithTheSystemsReason)
{
    ScratchFolder folder;
    const FileResult result = ReplaceFileContents(SystemFileSystem(), folder / "missing/ledger.log", Span("x"));
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.Reason.empty());
    EXPECT_EQ(folder.Listing(), "");
}

// Whichever step fails, the old file keeps every byte and nothing else is
// left behind. Only a failure to clear the read-only mark may go unnoticed,
// when the move succeeds all the same.
TEST(ReplaceFileContents, LeavesTheOldFileIntactWhenAnyStepFails)
{
    for (const bool targetExists : {true, false}) {
        int failures = 0;
        for (int failingStep = 1;; ++failingStep) {
            ScratchFolder folder;
            const std::string path = folder / "ledger.log";
            if (targetExists) WriteBytes(path, "old contents");
            FaultyFileSystem faults(failingStep);
            const FileResult result = ReplaceFileContents(faults, path, Span("new contents"));
            if (!faults.Failed()) break;
            if (result) {
                EXPECT_EQ(ReadBytes(path), "new contents") << "step " << failingStep;
            } else {
                ++failures;
                EXPECT_EQ(result.Reason, FaultyFileSystem::InjectedReason) << "step " << failingStep;
                EXPECT_EQ(ReadBytes(path), targetExists ? "old contents" : "") << "step " << failingStep;
            }
            EXPECT_EQ(folder.Listing(), result || targetExists ? "ledger.log" : "") << "step " << failingStep;
        }
        EXPECT_EQ(failures, 6) << "the device check, create, write, flush, close and move can each fail the save";
    }
}

}  // namespace
