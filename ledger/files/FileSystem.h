// The few file operations the program needs, behind an interface: the Windows
// implementation keeps the system's rules (no sharing while a file is open,
// read-only marks), a POSIX one serves the native tests, and tests wrap either
// to make any single step fail.
//
// Every text inside the program is UTF-8: paths, folders, the document name,
// the system's reasons and every message. Only the stored formats keep bytes
// in the system's ANSI code page (the movement records and the folder field of
// the configuration file). The Windows file layer converts UTF-8 paths to
// UTF-16 exactly; the POSIX one uses the bytes as they are.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cofrelo {

// Why a device (NUL, COM1, ...) is refused where a file on disk is wanted.
inline constexpr std::string_view NotAFileReason = "Es un dispositivo del sistema, no un fichero.";
// Why a read stops short: the file ended before the bytes it was asked for.
inline constexpr std::string_view EndOfFileReason = "El fichero se acaba antes de lo esperado.";

// The outcome of one step; on failure, the system's own words for the reason.
struct FileResult {
    bool Ok = true;
    std::string Reason;

    static FileResult Success() { return {}; }
    static FileResult Failure(std::string reason) { return {false, std::move(reason)}; }
    explicit operator bool() const { return Ok; }
};

// A file opened for reading, held without sharing until it is destroyed.
class FileReader {
public:
    virtual ~FileReader() = default;
    virtual std::uint64_t Size() const = 0;
    // Reads exactly into.size() bytes starting at offset.
    virtual FileResult ReadAt(std::uint64_t offset, std::span<char> into) = 0;
};

// A file being written, held without sharing.
class FileWriter {
public:
    virtual ~FileWriter() = default;
    virtual FileResult Write(std::span<const char> bytes) = 0;
    // Makes the written bytes durable before the file takes the place of another.
    virtual FileResult Flush() = 0;
    virtual FileResult Close() = 0;
};

// What the system keeps about a file besides its bytes (on Windows its
// attributes, on POSIX its mode), to be put back after a failed replacement.
using FileAttributes = std::uint32_t;

// Paths are UTF-8.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // True when the system reports attributes for the path: an existing file or
    // folder. Never fails loudly: a bad name or an unreachable drive is false.
    virtual bool Exists(const std::string& path) = 0;
    virtual FileResult OpenForReading(const std::string& path, std::unique_ptr<FileReader>& reader) = 0;
    // Fails when something already stands at the path.
    virtual FileResult CreateNew(const std::string& path, std::unique_ptr<FileWriter>& writer) = 0;
    // Fails, with NotAFileReason, when the path names a device instead of a file on disk; a missing file or
    // a folder passes (the writing that follows says what is wrong with it).
    virtual FileResult RefuseDevice(const std::string& path) = 0;
    // Leaves only the archive mark, so that a read-only file can be replaced,
    // and gives the attributes it had before.
    virtual FileResult ClearReadOnly(const std::string& path, FileAttributes& before) = 0;
    // Puts back what ClearReadOnly gave.
    virtual FileResult RestoreAttributes(const std::string& path, FileAttributes attributes) = 0;
    // Puts `from` in the place of `to` in one step, replacing what was there.
    virtual FileResult MoveReplacing(const std::string& from, const std::string& to) = 0;
    // As MoveReplacing, the file replaced going to `backup` (a free name on the
    // same volume) instead of away. On failure nothing has moved: `to` holds
    // its old file and `from` is still there.
    virtual FileResult ReplaceKeepingBackup(const std::string& from, const std::string& to,
                                            const std::string& backup) = 0;
    virtual FileResult Remove(const std::string& path) = 0;
    // Creates the folder (not its parents); one already there is fine.
    virtual FileResult CreateFolder(const std::string& path) = 0;
    // The names of the files in the folder, without its subfolders, in no set order.
    virtual FileResult ListFiles(const std::string& folder, std::vector<std::string>& names) = 0;
};

// The system's file system: Win32 on Windows, POSIX elsewhere (the platform
// layer, which the portable core does not link).
FileSystem& SystemFileSystem();

}  // namespace cofrelo
