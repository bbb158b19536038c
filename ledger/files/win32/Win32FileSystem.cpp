// The file layer on Windows. Files are held without sharing while open, as the
// program has always done, so another program holding one makes the step fail.
#include "files/FileSystem.h"

#include "common/win32/AnsiText.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr const char* NotAFileReason = "Es un dispositivo del sistema, no un fichero.";

// The system's message for the last error, in the user's language, as ANSI text.
FileResult LastError()
{
    const DWORD error = GetLastError();
    char* message = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<char*>(&message), 0, nullptr);
    std::string reason = length ? std::string(message, length) : "Error " + std::to_string(error);
    LocalFree(message);
    while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' '))
        reason.pop_back();
    return FileResult::Failure(reason);
}

class Win32Reader final : public FileReader {
public:
    Win32Reader(HANDLE file, std::uint64_t size) : file_(file), size_(size) {}
    ~Win32Reader() override { CloseHandle(file_); }

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
            if (!ReadFile(file_, into.data() + done, wanted, &read, &position)) return LastError();
            if (read == 0) return FileResult::Failure("unexpected end of file");
            done += read;
        }
        return FileResult::Success();
    }

private:
    HANDLE file_;
    std::uint64_t size_;
};

class Win32Writer final : public FileWriter {
public:
    explicit Win32Writer(HANDLE file) : file_(file) {}
    ~Win32Writer() override { Close(); }

    FileResult Write(std::span<const char> bytes) override
    {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            DWORD written = 0;
            if (!WriteFile(file_, bytes.data() + done, wanted, &written, nullptr)) return LastError();
            done += written;
        }
        return FileResult::Success();
    }

    FileResult Flush() override { return FlushFileBuffers(file_) ? FileResult::Success() : LastError(); }

    FileResult Close() override
    {
        if (file_ == INVALID_HANDLE_VALUE) return FileResult::Success();
        const BOOL closed = CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
        return closed ? FileResult::Success() : LastError();
    }

private:
    HANDLE file_;
};

class Win32FileSystem final : public FileSystem {
public:
    bool Exists(const std::string& path) override
    {
        return GetFileAttributesW(WideFromAnsi(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    FileResult OpenForReading(const std::string& path, std::unique_ptr<FileReader>& reader) override
    {
        const HANDLE file = CreateFileW(WideFromAnsi(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return LastError();
        // A device name such as NUL, AUX or COM1 (before Windows 11 with any
        // extension too, in any folder) opens the device, which reads as an
        // empty file or waits for input: only a file on disk holds a ledger.
        if (GetFileType(file) != FILE_TYPE_DISK) {
            CloseHandle(file);
            return FileResult::Failure(NotAFileReason);
        }
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file, &size)) {
            const FileResult failure = LastError();
            CloseHandle(file);
            return failure;
        }
        reader = std::make_unique<Win32Reader>(file, static_cast<std::uint64_t>(size.QuadPart));
        return FileResult::Success();
    }

    FileResult CreateNew(const std::string& path, std::unique_ptr<FileWriter>& writer) override
    {
        const HANDLE file = CreateFileW(WideFromAnsi(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return LastError();
        writer = std::make_unique<Win32Writer>(file);
        return FileResult::Success();
    }

    FileResult ClearReadOnly(const std::string& path) override
    {
        return SetFileAttributesW(WideFromAnsi(path).c_str(), FILE_ATTRIBUTE_ARCHIVE) ? FileResult::Success() : LastError();
    }

    FileResult MoveReplacing(const std::string& from, const std::string& to) override
    {
        return MoveFileExW(WideFromAnsi(from).c_str(), WideFromAnsi(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? FileResult::Success()
                   : LastError();
    }

    FileResult Remove(const std::string& path) override
    {
        return DeleteFileW(WideFromAnsi(path).c_str()) ? FileResult::Success() : LastError();
    }
};

}  // namespace

FileSystem& SystemFileSystem()
{
    static Win32FileSystem system;
    return system;
}
