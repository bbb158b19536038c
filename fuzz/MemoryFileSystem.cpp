#include "MemoryFileSystem.h"

#include <algorithm>

namespace {

FileResult Missing(const std::string& path)
{
    return FileResult::Failure("No existe: " + path);
}

class MemoryReader final : public FileReader {
public:
    explicit MemoryReader(const std::string& bytes) : bytes_(bytes) {}

    std::uint64_t Size() const override { return bytes_.size(); }

    FileResult ReadAt(std::uint64_t offset, std::span<char> into) override
    {
        if (offset > bytes_.size() || into.size() > bytes_.size() - offset)
            return FileResult::Failure("Lectura mas alla del final");
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), into.size(), into.begin());
        return FileResult::Success();
    }

private:
    const std::string& bytes_;
};

class MemoryWriter final : public FileWriter {
public:
    explicit MemoryWriter(std::string& bytes) : bytes_(bytes) {}

    FileResult Write(std::span<const char> bytes) override
    {
        if (closed_) return FileResult::Failure("Fichero ya cerrado");
        bytes_.append(bytes.data(), bytes.size());
        return FileResult::Success();
    }
    FileResult Flush() override { return FileResult::Success(); }
    FileResult Close() override
    {
        closed_ = true;
        return FileResult::Success();
    }

private:
    std::string& bytes_;
    bool closed_ = false;
};

}  // namespace

void MemoryFileSystem::Put(const std::string& path, std::string bytes)
{
    files_[path] = std::move(bytes);
}

const std::string* MemoryFileSystem::Find(const std::string& path) const
{
    const auto file = files_.find(path);
    return file == files_.end() ? nullptr : &file->second;
}

bool MemoryFileSystem::Exists(const std::string& path)
{
    return files_.contains(path);
}

FileResult MemoryFileSystem::OpenForReading(const std::string& path, std::unique_ptr<FileReader>& reader)
{
    const auto file = files_.find(path);
    if (file == files_.end()) return Missing(path);
    reader = std::make_unique<MemoryReader>(file->second);
    return FileResult::Success();
}

FileResult MemoryFileSystem::CreateNew(const std::string& path, std::unique_ptr<FileWriter>& writer)
{
    const auto [file, created] = files_.try_emplace(path);
    if (!created) return FileResult::Failure("Ya existe: " + path);
    writer = std::make_unique<MemoryWriter>(file->second);
    return FileResult::Success();
}

// Only files are held here: nothing is a device.
FileResult MemoryFileSystem::RefuseDevice(const std::string&)
{
    return FileResult::Success();
}

FileResult MemoryFileSystem::ClearReadOnly(const std::string& path, FileAttributes& before)
{
    before = 0;
    return Exists(path) ? FileResult::Success() : Missing(path);
}

FileResult MemoryFileSystem::RestoreAttributes(const std::string& path, FileAttributes)
{
    return Exists(path) ? FileResult::Success() : Missing(path);
}

FileResult MemoryFileSystem::MoveReplacing(const std::string& from, const std::string& to)
{
    const auto source = files_.find(from);
    if (source == files_.end()) return Missing(from);
    if (from == to) return FileResult::Success();
    std::string bytes = std::move(source->second);
    files_.erase(source);
    files_[to] = std::move(bytes);
    return FileResult::Success();
}

FileResult MemoryFileSystem::Remove(const std::string& path)
{
    return files_.erase(path) == 1 ? FileResult::Success() : Missing(path);
}
