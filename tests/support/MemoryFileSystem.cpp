#include "support/MemoryFileSystem.h"

#include <algorithm>

namespace {

FileResult Missing(const std::string& path)
{
    return FileResult::Failure("No existe: " + path);
}

const FileResult Injected = FileResult::Failure("Fallo provocado");

class MemoryReader final : public FileReader {
public:
    MemoryReader(const std::string& bytes, bool broken) : bytes_(bytes), broken_(broken) {}

    std::uint64_t Size() const override { return bytes_.size(); }

    FileResult ReadAt(std::uint64_t offset, std::span<char> into) override
    {
        if (offset > bytes_.size() || into.size() > bytes_.size() - offset)
            return FileResult::Failure("Lectura mas alla del final");
        const std::size_t copied = broken_ ? into.size() / 2 : into.size();
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), copied, into.begin());
        return broken_ ? FileResult::Failure("Error de lectura") : FileResult::Success();
    }

private:
    const std::string& bytes_;
    bool broken_;
};

class MemoryWriter final : public FileWriter {
public:
    MemoryWriter(MemoryFileSystem& files, std::string& bytes) : files_(files), bytes_(bytes) {}

    FileResult Write(std::span<const char> bytes) override
    {
        if (closed_) return FileResult::Failure("Fichero ya cerrado");
        const bool fails = files_.FailsNow("Write");
        bytes_.append(bytes.data(), fails ? bytes.size() / 2 : bytes.size());
        return fails ? Injected : FileResult::Success();
    }
    FileResult Flush() override { return files_.FailsNow("Flush") ? Injected : FileResult::Success(); }
    FileResult Close() override
    {
        closed_ = true;
        return files_.FailsNow("Close") ? Injected : FileResult::Success();
    }

private:
    MemoryFileSystem& files_;
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

std::string MemoryFileSystem::Listing() const
{
    std::string listing;
    for (const auto& [path, bytes] : files_) listing += (listing.empty() ? "" : " ") + path;
    return listing;
}

bool MemoryFileSystem::FailsNow(const char* step)
{
    if (++steps_ != failingStep_) return false;
    failedStep_ = step;
    return true;
}

bool MemoryFileSystem::Exists(const std::string& path)
{
    return files_.contains(path);
}

FileResult MemoryFileSystem::OpenForReading(const std::string& path, std::unique_ptr<FileReader>& reader)
{
    const auto file = files_.find(path);
    if (file == files_.end()) return Missing(path);
    reader = std::make_unique<MemoryReader>(file->second, readingBroken_);
    return FileResult::Success();
}

FileResult MemoryFileSystem::CreateNew(const std::string& path, std::unique_ptr<FileWriter>& writer)
{
    if (FailsNow("CreateNew")) return Injected;
    const auto [file, created] = files_.try_emplace(path);
    if (!created) return FileResult::Failure("Ya existe: " + path);
    writer = std::make_unique<MemoryWriter>(*this, file->second);
    return FileResult::Success();
}

// Only files are held here: nothing is a device.
FileResult MemoryFileSystem::RefuseDevice(const std::string&)
{
    return FailsNow("RefuseDevice") ? Injected : FileResult::Success();
}

FileResult MemoryFileSystem::ClearReadOnly(const std::string& path, FileAttributes& before)
{
    if (FailsNow("ClearReadOnly")) return Injected;
    if (!Exists(path)) return Missing(path);
    before = IsReadOnly(path);
    readOnly_.erase(path);
    return FileResult::Success();
}

FileResult MemoryFileSystem::RestoreAttributes(const std::string& path, FileAttributes attributes)
{
    if (!Exists(path)) return Missing(path);
    if (attributes != 0) readOnly_.insert(path);
    return FileResult::Success();
}

FileResult MemoryFileSystem::MoveReplacing(const std::string& from, const std::string& to)
{
    if (FailsNow("MoveReplacing")) return Injected;
    const auto source = files_.find(from);
    if (source == files_.end()) return Missing(from);
    if (IsReadOnly(to)) return FileResult::Failure("Acceso denegado: " + to);
    if (from == to) return FileResult::Success();
    std::string bytes = std::move(source->second);
    files_.erase(source);
    files_[to] = std::move(bytes);
    return FileResult::Success();
}

FileResult MemoryFileSystem::Remove(const std::string& path)
{
    readOnly_.erase(path);
    return files_.erase(path) == 1 ? FileResult::Success() : Missing(path);
}
