// What the census of faults in FileCommandsTest does not reach: leftovers of
// an interrupted save, and a folder that is not there.
#include "files/SafeWrite.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(ReplaceFileContents, StepsAroundLeftoversOfAnInterruptedSave)
{
    ScratchFolder folder;
    const std::string path = folder / "ledger.log";
    WriteBytes(path + ".~1", "leftover");
    ASSERT_TRUE(ReplaceFileContents(SystemFileSystem(), path, std::string_view("new")));
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(ReadBytes(path + ".~1"), "leftover");
}

TEST(ReplaceFileContents, ReportsAMissingFolderWithTheSystemsReason)
{
    ScratchFolder folder;
    const FileResult result = ReplaceFileContents(SystemFileSystem(), folder / "missing/ledger.log", std::string_view("x"));
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.Reason.empty());
    EXPECT_EQ(folder.Listing(), "");
}

}  // namespace
