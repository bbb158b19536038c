#include "files/SafeWrite.h"

namespace {

// Enough for leftovers of earlier interrupted runs; a name is only tried once.
constexpr int TemporaryNameAttempts = 100;

FileResult CreateTemporaryBeside(FileSystem& files, const std::string& path, std::string& temporaryPath,
                                 std::unique_ptr<FileWriter>& writer)
{
    FileResult created = FileResult::Failure("No queda ningun nombre libre para el fichero provisional.");
    for (int attempt = 1; attempt <= TemporaryNameAttempts; ++attempt) {
        temporaryPath = path + ".~" + std::to_string(attempt);
        if (files.Exists(temporaryPath)) continue;
        created = files.CreateNew(temporaryPath, writer);
        if (created) return created;
        if (!files.Exists(temporaryPath)) return created;  // not a name clash: give the system's reason
    }
    return created;
}

FileResult WriteAndClose(FileWriter& writer, std::span<const char> contents)
{
    FileResult result = writer.Write(contents);
    if (result) result = writer.Flush();
    FileResult closed = writer.Close();
    return result ? closed : result;
}

}  // namespace

FileResult ReplaceFileContents(FileSystem& files, const std::string& path, std::span<const char> contents)
{
    std::string temporaryPath;
    std::unique_ptr<FileWriter> writer;
    FileResult result = CreateTemporaryBeside(files, path, temporaryPath, writer);
    if (!result) return result;

    result = WriteAndClose(*writer, contents);
    writer.reset();
    if (result) {
        // A read-only target cannot be replaced on Windows; if clearing fails,
        // the move below fails and says why.
        if (files.Exists(path)) files.ClearReadOnly(path);
        result = files.MoveReplacing(temporaryPath, path);
    }
    if (!result) files.Remove(temporaryPath);
    return result;
}
