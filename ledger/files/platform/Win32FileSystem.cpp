// The file layer on Windows. Files are held without sharing while open, as the
// program has always done, so another program holding one makes the step fail.
#include "ledger/files/FileSystem.h"

#include "common/platform/TextConversions.h"
#include "common/platform/Handles.h"
#include "ledger/files/LongPath.h"

#include <windows.h>

#include <algorithm>
#include <optional>

namespace cofrelo {

using common::KernelHandle;

namespace {

FileResult ErrorResult(DWORD error)
{
    return FileResult::Failure(common::SystemMessage(error));
}

FileResult LastError()
{
    return ErrorResult(GetLastError());
}

// The path as the system's file functions take it: UTF-16, and when its full
// form is too long for the plain one, that full form in extended-length form.
// A shorter path goes as it is, so that the system reads it as it always has
// (device names included). None for malformed UTF-8, which names no file.
std::optional<std::wstring> SystemPath(const std::string& path)
{
    std::optional<std::wstring> wide = common::WideFromUtf8(path);
    if (!wide || wide->empty()) return std::nullopt;
    std::wstring full(ShortPathLimit, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(wide->c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) return std::nullopt;
        if (length < full.size()) {
            full.resize(length);
            return full.size() < ShortPathLimit ? wide : LongPathForm(full);
        }
        full.resize(length);  // the size it asks for includes the NUL
    }
}

FileResult BadName()
{
    return ErrorResult(ERROR_INVALID_NAME);
}

// A device name such as NUL, AUX or COM1 (before Windows 11 with any extension
// too, in any folder) opens the device: only a file on disk holds a document.
FileResult RequireDiskFile(const KernelHandle& file)
{
    return GetFileType(file.Get()) == FILE_TYPE_DISK ? FileResult::Success()
                                                     : FileResult::Failure(std::string(NotAFileReason));
}

class Win32Reader final : public FileReader {
public:
    Win32Reader(KernelHandle file, std::uint64_t size) : file_(std::move(file)), size_(size) {}

    std::uint64_t Size() const override { return size_; }

    FileResult ReadAt(std::uint64_t offset, std::span<char> into) override
    {
        std::size_t done = 0;
        while (done < into.size()) {
            OVERLAPPED position{};
            position.Offset = static_cast<DWORD>(offset + done);
            position.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
            const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(into.size() - done, 1u << 30));
            DWORD read = 0;
            if (!ReadFile(file_.Get(), into.data() + done, wanted, &read, &position)) return LastError();
            if (read == 0) return FileResult::Failure(std::string(EndOfFileReason));
            done += read;
        }
        return FileResult::Success();
    }

private:
    KernelHandle file_;
    std::uint64_t size_;
};

class Win32Writer final : public FileWriter {
public:
    explicit Win32Writer(KernelHandle file) : file_(std::move(file)) {}

    FileResult Write(std::span<const char> bytes) override
    {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            DWORD written = 0;
            if (!WriteFile(file_.Get(), bytes.data() + done, wanted, &written, nullptr)) return LastError();
            done += written;
        }
        return FileResult::Success();
    }

    FileResult Flush() override { return FlushFileBuffers(file_.Get()) ? FileResult::Success() : LastError(); }

    FileResult Close() override { return file_.Close() ? FileResult::Success() : LastError(); }

private:
    KernelHandle file_;
};

class Win32FileSystem final : public FileSystem {
public:
    bool Exists(const std::string& path) override
    {
        const auto system = SystemPath(path);
        return system && GetFileAttributesW(system->c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    FileResult OpenForReading(const std::string& path, std::unique_ptr<FileReader>& reader) override
    {
        const auto system = SystemPath(path);
        if (!system) return BadName();
        KernelHandle file(CreateFileW(system->c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid()) return LastError();
        // A device reads as an empty file or waits for input.
        if (FileResult disk = RequireDiskFile(file); !disk) return disk;
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file.Get(), &size)) return LastError();
        reader = std::make_unique<Win32Reader>(std::move(file), static_cast<std::uint64_t>(size.QuadPart));
        return FileResult::Success();
    }

    // Opening with no access rights asks nothing of a device (a serial port is
    // not set up, nothing is read or written) but tells what the name is.
    FileResult RefuseDevice(const std::string& path) override
    {
        const auto system = SystemPath(path);
        if (!system) return BadName();
        const KernelHandle file(CreateFileW(system->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid()) return FileResult::Success();  // nothing there, or a folder
        return RequireDiskFile(file);
    }

    FileResult CreateNew(const std::string& path, std::unique_ptr<FileWriter>& writer) override
    {
        const auto system = SystemPath(path);
        if (!system) return BadName();
        KernelHandle file(
            CreateFileW(system->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid()) return LastError();
        writer = std::make_unique<Win32Writer>(std::move(file));
        return FileResult::Success();
    }

    FileResult ClearReadOnly(const std::string& path, FileAttributes& before) override
    {
        const auto system = SystemPath(path);
        if (!system) return BadName();
        const DWORD attributes = GetFileAttributesW(system->c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return LastError();
        before = attributes;
        return SetFileAttributesW(system->c_str(), FILE_ATTRIBUTE_ARCHIVE) ? FileResult::Success() : LastError();
    }

    FileResult RestoreAttributes(const std::string& path, FileAttributes attributes) override
    {
        const auto system = SystemPath(path);
        if (!system) return BadName();
        return SetFileAttributesW(system->c_str(), attributes) ? FileResult::Success() : LastError();
    }

    FileResult MoveReplacing(const std::string& from, const std::string& to) override
    {
        const auto systemFrom = SystemPath(from);
        const auto systemTo = SystemPath(to);
        if (!systemFrom || !systemTo) return BadName();
        return MoveFileExW(systemFrom->c_str(), systemTo->c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? FileResult::Success()
                   : LastError();
    }

    // ReplaceFileW renames the old file to the backup name, then the new one
    // to the target. Where it fails in between (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
    // the old file is left under the backup name alone: it goes back to the
    // target, or, if it cannot, the replacement is finished by hand, so that a
    // file always stands at the target. Every other failure leaves both names
    // as they were.
    FileResult ReplaceKeepingBackup(const std::string& from, const std::string& to, const std::string& backup) override
    {
        const auto systemFrom = SystemPath(from);
        const auto systemTo = SystemPath(to);
        const auto systemBackup = SystemPath(backup);
        if (!systemFrom || !systemTo || !systemBackup) return BadName();
        if (ReplaceFileW(systemTo->c_str(), systemFrom->c_str(), systemBackup->c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS,
                         nullptr, nullptr))
            return FileResult::Success();
        const FileResult failed = LastError();
        if (GetFileAttributesW(systemTo->c_str()) == INVALID_FILE_ATTRIBUTES &&
            !MoveFileExW(systemBackup->c_str(), systemTo->c_str(), MOVEFILE_WRITE_THROUGH) &&
            MoveFileExW(systemFrom->c_str(), systemTo->c_str(), MOVEFILE_WRITE_THROUGH))
            return FileResult::Success();
        return failed;
    }

    FileResult Remove(const std::string& path) override
    {
        const auto system = SystemPath(path);
        if (!system) return BadName();
        return DeleteFileW(system->c_str()) ? FileResult::Success() : LastError();
    }

    FileResult CreateFolder(const std::string& path) override
    {
        const auto system = SystemPath(path);
        if (!system) return BadName();
        if (CreateDirectoryW(system->c_str(), nullptr)) return FileResult::Success();
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(system->c_str());
        const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        return error == ERROR_ALREADY_EXISTS && folder ? FileResult::Success() : ErrorResult(error);
    }

    FileResult ListFiles(const std::string& folder, std::vector<std::string>& names) override
    {
        const auto pattern = SystemPath(folder + "\\*");
        if (!pattern) return BadName();
        WIN32_FIND_DATAW found{};
        const HANDLE first =
            FindFirstFileExW(pattern->c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
        if (first == INVALID_HANDLE_VALUE) return LastError();
        const common::FindHandle search(first);
        names.clear();
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(common::Utf8FromWide(found.cFileName));
        } while (FindNextFileW(search.get(), &found));
        const DWORD error = GetLastError();
        return error == ERROR_NO_MORE_FILES ? FileResult::Success() : ErrorResult(error);
    }
};

}  // namespace

FileSystem& SystemFileSystem()
{
    static Win32FileSystem system;
    return system;
}

}  // namespace cofrelo
