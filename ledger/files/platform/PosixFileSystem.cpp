// The file layer on POSIX systems, for the native builds and their tests.
// Windows' sharing rules have no equivalent here; everything else matches.
#include "ledger/files/FileSystem.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cofrelo {

namespace {

FileResult LastError()
{
    return FileResult::Failure(std::strerror(errno));
}

class PosixReader final : public FileReader {
public:
    PosixReader(int descriptor, std::uint64_t size) : descriptor_(descriptor), size_(size) {}
    ~PosixReader() override { ::close(descriptor_); }

    std::uint64_t Size() const override { return size_; }

    FileResult ReadAt(std::uint64_t offset, std::span<char> into) override
    {
        std::size_t done = 0;
        while (done < into.size()) {
            const ssize_t read = ::pread(descriptor_, into.data() + done, into.size() - done,
                                         static_cast<off_t>(offset + done));
            if (read < 0) return LastError();
            if (read == 0) return FileResult::Failure(std::string(EndOfFileReason));
            done += static_cast<std::size_t>(read);
        }
        return FileResult::Success();
    }

private:
    int descriptor_;
    std::uint64_t size_;
};

class PosixWriter final : public FileWriter {
public:
    explicit PosixWriter(int descriptor) : descriptor_(descriptor) {}
    ~PosixWriter() override { Close(); }

    FileResult Write(std::span<const char> bytes) override
    {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t written = ::write(descriptor_, bytes.data() + done, bytes.size() - done);
            if (written < 0) return LastError();
            done += static_cast<std::size_t>(written);
        }
        return FileResult::Success();
    }

    FileResult Flush() override { return ::fsync(descriptor_) == 0 ? FileResult::Success() : LastError(); }

    FileResult Close() override
    {
        if (descriptor_ < 0) return FileResult::Success();
        const int closed = ::close(descriptor_);
        descriptor_ = -1;
        return closed == 0 ? FileResult::Success() : LastError();
    }

private:
    int descriptor_;
};

class PosixFileSystem final : public FileSystem {
public:
    bool Exists(const std::string& path) override
    {
        struct stat status {};
        return ::stat(path.c_str(), &status) == 0;
    }

    FileResult OpenForReading(const std::string& path, std::unique_ptr<FileReader>& reader) override
    {
        const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0) return LastError();
        struct stat status {};
        if (::fstat(descriptor, &status) != 0 || S_ISDIR(status.st_mode)) {
            const FileResult failure =
                S_ISDIR(status.st_mode) ? FileResult::Failure(std::strerror(EISDIR)) : LastError();
            ::close(descriptor);
            return failure;
        }
        reader = std::make_unique<PosixReader>(descriptor, static_cast<std::uint64_t>(status.st_size));
        return FileResult::Success();
    }

    FileResult CreateNew(const std::string& path, std::unique_ptr<FileWriter>& writer) override
    {
        const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (descriptor < 0) return LastError();
        writer = std::make_unique<PosixWriter>(descriptor);
        return FileResult::Success();
    }

    FileResult RefuseDevice(const std::string& path) override
    {
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0) return FileResult::Success();
        const bool device = !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode);
        return device ? FileResult::Failure(std::string(NotAFileReason)) : FileResult::Success();
    }

    FileResult ClearReadOnly(const std::string& path, FileAttributes& before) override
    {
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0) return LastError();
        before = status.st_mode & 07777;
        return ::chmod(path.c_str(), status.st_mode | S_IWUSR) == 0 ? FileResult::Success() : LastError();
    }

    FileResult RestoreAttributes(const std::string& path, FileAttributes attributes) override
    {
        return ::chmod(path.c_str(), static_cast<mode_t>(attributes)) == 0 ? FileResult::Success() : LastError();
    }

    FileResult MoveReplacing(const std::string& from, const std::string& to) override
    {
        return ::rename(from.c_str(), to.c_str()) == 0 ? FileResult::Success() : LastError();
    }

    // The old file gets its second name first, so that the target is never
    // missing; the rename then leaves the old bytes under the backup name alone.
    FileResult ReplaceKeepingBackup(const std::string& from, const std::string& to, const std::string& backup) override
    {
        if (::link(to.c_str(), backup.c_str()) != 0) return LastError();
        if (::rename(from.c_str(), to.c_str()) == 0) return FileResult::Success();
        const FileResult failed = LastError();
        ::unlink(backup.c_str());
        return failed;
    }

    FileResult Remove(const std::string& path) override
    {
        return ::unlink(path.c_str()) == 0 ? FileResult::Success() : LastError();
    }

    FileResult CreateFolder(const std::string& path) override
    {
        if (::mkdir(path.c_str(), 0777) == 0) return FileResult::Success();
        if (errno != EEXIST) return LastError();
        struct stat status {};
        const bool folder = ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
        return folder ? FileResult::Success() : FileResult::Failure(std::strerror(EEXIST));
    }

    FileResult ListFiles(const std::string& folder, std::vector<std::string>& names) override
    {
        DIR* const listing = ::opendir(folder.c_str());
        if (!listing) return LastError();
        names.clear();
        errno = 0;
        while (const dirent* entry = ::readdir(listing)) {
            struct stat status {};
            const std::string path = folder + "/" + entry->d_name;
            if (::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) names.emplace_back(entry->d_name);
            errno = 0;
        }
        const FileResult result = errno == 0 ? FileResult::Success() : LastError();
        ::closedir(listing);
        return result;
    }
};

}  // namespace

FileSystem& SystemFileSystem()
{
    static PosixFileSystem system;
    return system;
}

}  // namespace cofrelo
