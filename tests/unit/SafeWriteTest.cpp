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
    WriteBytes(path + ".~1", "leftover");
    ASSERT_TRUE(ReplaceFileContents(SystemFileSystem(), path, Span("new")));
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(ReadBytes(path + ".~1"), "leftover");
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
        EXPECT_EQ(failures, 5) << "create, write, flush, close and move can each fail the save";
    }
}

}  // namespace
