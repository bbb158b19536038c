#include "ledger/files/SafeWrite.h"

namespace cofrelo {

namespace {

// Enough for leftovers of earlier interrupted runs; a name is only tried once.
constexpr int TemporaryNameAttempts = 100;

FileResult CreateTemporaryBeside(FileSystem& files, const std::string& path, std::string& temporaryPath,
                                 std::unique_ptr<FileWriter>& writer)
{
    FileResult created = FileResult::Failure("No queda ningun nombre libre para el fichero provisional.");
    for (int attempt = 1; attempt <= TemporaryNameAttempts; ++attempt) {
        temporaryPath = TemporaryPathFor(path, attempt);
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

// A read-only target cannot be replaced on Windows; if clearing fails, the
// move fails and says why. With a backup path, the old file goes there; if
// that alone fails, the plain move follows. A failed move puts the old
// attributes back.
FileResult MoveInPlaceOf(FileSystem& files, const std::string& temporaryPath, const std::string& path,
                         const std::string* backupPath, FileResult& kept)
{
    FileAttributes before = 0;
    const bool cleared = files.Exists(path) && files.ClearReadOnly(path, before);
    FileResult moved = FileResult::Failure("");
    if (backupPath) moved = kept = files.ReplaceKeepingBackup(temporaryPath, path, *backupPath);
    if (!moved) moved = files.MoveReplacing(temporaryPath, path);
    if (!moved && cleared) files.RestoreAttributes(path, before);
    return moved;
}

FileResult WriteInPlaceOf(FileSystem& files, const std::string& path, std::span<const char> contents,
                          const std::string* backupPath, FileResult& kept)
{
    FileResult result = files.RefuseDevice(path);
    if (!result) return result;
    std::string temporaryPath;
    std::unique_ptr<FileWriter> writer;
    result = CreateTemporaryBeside(files, path, temporaryPath, writer);
    if (!result) return result;

    result = WriteAndClose(*writer, contents);
    writer.reset();
    if (result) result = MoveInPlaceOf(files, temporaryPath, path, backupPath, kept);
    if (!result) files.Remove(temporaryPath);
    return result;
}

}  // namespace

std::string TemporaryPathFor(const std::string& path, int attempt)
{
    const std::size_t folderEnd = path.find_last_of("\\/");
    const std::size_t nameStart = folderEnd == std::string::npos ? 0 : folderEnd + 1;
    return path.substr(0, nameStart) + "~Cofrelo." + std::to_string(attempt) + ".tmp";
}

FileResult ReplaceFileContents(FileSystem& files, const std::string& path, std::span<const char> contents)
{
    FileResult unused;
    return WriteInPlaceOf(files, path, contents, nullptr, unused);
}

FileResult ReplaceFileContentsKeepingOld(FileSystem& files, const std::string& path, std::span<const char> contents,
                                         const std::string& backupPath, FileResult& kept)
{
    kept = FileResult::Failure("");  // nothing kept until the replacement says so
    return WriteInPlaceOf(files, path, contents, &backupPath, kept);
}

}  // namespace cofrelo
