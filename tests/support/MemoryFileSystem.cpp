#include "tests/support/MemoryFileSystem.h"

#include <algorithm>

namespace cofrelo {

namespace {

// A file held open, for reading (failing half way once reading is broken) or
// for writing (each call a step of the file system's).
class MemoryFile final : public FileReader, public FileWriter {
public:
    MemoryFile(MemoryFileSystem& files, std::string& bytes, bool broken)
        : files_(files), bytes_(bytes), broken_(broken) {}

    std::uint64_t Size() const override { return bytes_.size(); }
    FileResult ReadAt(std::uint64_t offset, std::span<char> into) override
    {
        if (offset > bytes_.size() || into.size() > bytes_.size() - offset)
            return FileResult::Failure("Lectura mas alla del final");
        const std::size_t copied = broken_ ? into.size() / 2 : into.size();
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), copied, into.begin());
        return broken_ ? FileResult::Failure("Error de lectura") : FileResult::Success();
    }

    FileResult Write(std::span<const char> bytes) override
    {
        const FileResult step = files_.Step("Write");
        bytes_.append(bytes.data(), step ? bytes.size() : bytes.size() / 2);
        return step;
    }
    FileResult Flush() override { return files_.Step("Flush"); }
    FileResult Close() override { return files_.Step("Close"); }

private:
    MemoryFileSystem& files_;
    std::string& bytes_;
    bool broken_;
};

}  // namespace

FileResult MemoryFileSystem::Step(const char* step)
{
    if (++steps_ != failingStep_) return FileResult::Success();
    failedStep_ = step;
    return FileResult::Failure("Fallo provocado");
}

FileResult MemoryFileSystem::OpenForReading(const std::string& path, std::unique_ptr<FileReader>& reader)
{
    const auto file = files_.find(path);
    if (file == files_.end()) return FileResult::Failure("No existe: " + path);
    reader = std::make_unique<MemoryFile>(*this, file->second, readingBroken_);
    return FileResult::Success();
}

FileResult MemoryFileSystem::CreateNew(const std::string& path, std::unique_ptr<FileWriter>& writer)
{
    if (FileResult step = Step("CreateNew"); !step) return step;
    const auto [file, created] = files_.try_emplace(path);
    if (!created) return FileResult::Failure("Ya existe: " + path);
    writer = std::make_unique<MemoryFile>(*this, file->second, false);
    return FileResult::Success();
}

FileResult MemoryFileSystem::ClearReadOnly(const std::string& path, FileAttributes& before)
{
    if (FileResult step = Step("ClearReadOnly"); !step) return step;
    before = IsReadOnly(path);
    readOnly_.erase(path);
    return FileResult::Success();
}

FileResult MemoryFileSystem::RestoreAttributes(const std::string& path, FileAttributes attributes)
{
    if (attributes != 0) readOnly_.insert(path);
    return FileResult::Success();
}

FileResult MemoryFileSystem::MoveReplacing(const std::string& from, const std::string& to)
{
    if (FileResult step = Step("MoveReplacing"); !step) return step;
    const auto source = files_.find(from);
    if (source == files_.end()) return FileResult::Failure("No existe: " + from);
    if (IsReadOnly(to)) return FileResult::Failure("Acceso denegado: " + to);
    std::string bytes = std::move(source->second);
    files_.erase(source);
    files_[to] = std::move(bytes);
    return FileResult::Success();
}

// Fails where either of its two moves would, and then moves nothing.
FileResult MemoryFileSystem::ReplaceKeepingBackup(const std::string& from, const std::string& to,
                                                  const std::string& backup)
{
    if (FileResult step = Step("ReplaceKeepingBackup"); !step) return step;
    if (!files_.contains(from) || !files_.contains(to) || IsReadOnly(to) || Exists(backup))
        return FileResult::Failure("No se puede sustituir: " + to);
    files_[backup] = std::move(files_[to]);
    files_[to] = std::move(files_[from]);
    files_.erase(from);
    return FileResult::Success();
}

FileResult MemoryFileSystem::CreateFolder(const std::string& path)
{
    if (FileResult step = Step("CreateFolder"); !step) return step;
    return files_.contains(path) ? FileResult::Failure("Ya existe: " + path) : FileResult::Success();
}

FileResult MemoryFileSystem::ListFiles(const std::string& folder, std::vector<std::string>& names)
{
    if (FileResult step = Step("ListFiles"); !step) return step;
    names.clear();
    const std::string prefix = folder + "\\";
    for (const auto& [path, bytes] : files_)
        if (path.starts_with(prefix) && path.find('\\', prefix.size()) == std::string::npos)
            names.push_back(path.substr(prefix.size()));
    return FileResult::Success();
}

FileResult MemoryFileSystem::Remove(const std::string& path)
{
    if (FileResult step = Step("Remove"); !step) return step;
    readOnly_.erase(path);
    return files_.erase(path) == 1 ? FileResult::Success() : FileResult::Failure("No existe: " + path);
}

}  // namespace cofrelo
