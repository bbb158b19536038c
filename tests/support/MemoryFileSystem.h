// A file system held in memory, so that the loaders and savers run under the
// fuzzer and the tests without touching the disk. It keeps the rules the
// product relies on: creating fails where something already stands, a move
// replaces its target in one step, reading past the end fails, and a read-only
// file cannot be replaced until its mark is cleared.
#pragma once

#include "ledger/files/FileSystem.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>

namespace cofrelo {

// Files by their paths, with their bytes.
using FileMap = std::map<std::string, std::string>;

class MemoryFileSystem final : public FileSystem {
public:
    explicit MemoryFileSystem(FileMap files = {}) : files_(std::move(files)) {}
    void Put(const std::string& path, std::string bytes) { files_[path] = std::move(bytes); }
    const FileMap& Files() const { return files_; }
    // The file's bytes, or none when nothing stands at the path.
    const std::string* Find(const std::string& path) const
    {
        const auto file = files_.find(path);
        return file == files_.end() ? nullptr : &file->second;
    }
    std::size_t FileCount() const { return files_.size(); }
    // From now on every read fails half way, as on a failing disk.
    void BreakReading() { readingBroken_ = true; }
    void MakeReadOnly(const std::string& path) { readOnly_.insert(path); }
    bool IsReadOnly(const std::string& path) const { return readOnly_.contains(path); }

    // Makes step `step` fail, counting from 1 every call of RefuseDevice,
    // CreateNew, Write, Flush, Close, ClearReadOnly, MoveReplacing,
    // ReplaceKeepingBackup, Remove, CreateFolder and ListFiles. A failing write
    // leaves half its bytes, as a full disk does. Restoring attributes, which
    // cleans up after a failure, never fails; nor does a removal that cleans up
    // after the one failure.
    void FailStep(int step) { failingStep_ = step; }
    // The step that failed ("CreateNew", "Write", ...), or empty.
    const std::string& FailedStep() const { return failedStep_; }
    // Counts a step (its writers' too); fails when it is the one to fail.
    FileResult Step(const char* step)
    {
        if (++steps_ != failingStep_) return FileResult::Success();
        failedStep_ = step;
        return FileResult::Failure("Fallo provocado");
    }

    bool Exists(const std::string& path) override { return files_.contains(path); }
    FileResult OpenForReading(const std::string& path, std::unique_ptr<FileReader>& reader) override
    {
        const auto file = files_.find(path);
        if (file == files_.end()) return FileResult::Failure("No existe: " + path);
        reader = std::make_unique<OpenFile>(*this, file->second, readingBroken_);
        return FileResult::Success();
    }
    FileResult CreateNew(const std::string& path, std::unique_ptr<FileWriter>& writer) override
    {
        if (FileResult step = Step("CreateNew"); !step) return step;
        const auto [file, created] = files_.try_emplace(path);
        if (!created) return FileResult::Failure("Ya existe: " + path);
        writer = std::make_unique<OpenFile>(*this, file->second, false);
        return FileResult::Success();
    }
    // Only files are held here: nothing is a device.
    FileResult RefuseDevice(const std::string&) override { return Step("RefuseDevice"); }
    FileResult ClearReadOnly(const std::string& path, FileAttributes& before) override
    {
        if (FileResult step = Step("ClearReadOnly"); !step) return step;
        before = IsReadOnly(path);
        readOnly_.erase(path);
        return FileResult::Success();
    }
    FileResult RestoreAttributes(const std::string& path, FileAttributes attributes) override
    {
        if (attributes != 0) readOnly_.insert(path);
        return FileResult::Success();
    }
    FileResult MoveReplacing(const std::string& from, const std::string& to) override
    {
        if (FileResult step = Step("MoveReplacing"); !step) return step;
        const auto source = files_.find(from);
        if (source == files_.end()) return FileResult::Failure("No existe: " + from);
        if (IsReadOnly(to)) return FileResult::Failure("Acceso denegado: " + to);
        files_[to] = std::move(source->second);
        files_.erase(source);
        return FileResult::Success();
    }
    // Fails where either of its two moves would, and then moves nothing.
    FileResult ReplaceKeepingBackup(const std::string& from, const std::string& to, const std::string& backup) override
    {
        if (FileResult step = Step("ReplaceKeepingBackup"); !step) return step;
        if (!files_.contains(from) || !files_.contains(to) || IsReadOnly(to) || Exists(backup))
            return FileResult::Failure("No se puede sustituir: " + to);
        files_[backup] = std::move(files_[to]);
        files_[to] = std::move(files_[from]);
        files_.erase(from);
        return FileResult::Success();
    }
    FileResult Remove(const std::string& path) override
    {
        if (FileResult step = Step("Remove"); !step) return step;
        readOnly_.erase(path);
        return files_.erase(path) == 1 ? FileResult::Success() : FileResult::Failure("No existe: " + path);
    }
    // Folders are not held: a file may stand in any, and listing one lists the files in it.
    FileResult CreateFolder(const std::string& path) override
    {
        if (FileResult step = Step("CreateFolder"); !step) return step;
        return files_.contains(path) ? FileResult::Failure("Ya existe: " + path) : FileResult::Success();
    }
    FileResult ListFiles(const std::string& folder, std::vector<std::string>& names) override
    {
        if (FileResult step = Step("ListFiles"); !step) return step;
        names.clear();
        const std::string prefix = folder + "\\";
        for (const auto& [path, bytes] : files_)
            if (path.starts_with(prefix) && path.find('\\', prefix.size()) == std::string::npos)
                names.push_back(path.substr(prefix.size()));
        return FileResult::Success();
    }

private:
    // A file held open, for reading (failing half way once reading is broken) or
    // for writing (each call a step of the file system's).
    class OpenFile final : public FileReader, public FileWriter {
    public:
        OpenFile(MemoryFileSystem& files, std::string& bytes, bool broken)
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

    // A map, not a hash table: readers and writers keep pointers to the bytes,
    // which inserting other files must not move.
    FileMap files_;
    std::set<std::string> readOnly_;
    bool readingBroken_ = false;
    int failingStep_ = 0;
    int steps_ = 0;
    std::string failedStep_;
};

}  // namespace cofrelo
