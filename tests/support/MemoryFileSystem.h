// A file system held in memory, so that the loaders and savers run under the
// fuzzer and the tests without touching the disk. It keeps the rules the
// product relies on: creating fails where something already stands, a move
// replaces its target in one step, reading past the end fails, and a read-only
// file cannot be replaced until its mark is cleared.
#pragma once

#include "ledger/files/FileSystem.h"

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
    FileResult Step(const char* step);

    bool Exists(const std::string& path) override { return files_.contains(path); }
    FileResult OpenForReading(const std::string& path, std::unique_ptr<FileReader>& reader) override;
    FileResult CreateNew(const std::string& path, std::unique_ptr<FileWriter>& writer) override;
    // Only files are held here: nothing is a device.
    FileResult RefuseDevice(const std::string&) override { return Step("RefuseDevice"); }
    FileResult ClearReadOnly(const std::string& path, FileAttributes& before) override;
    FileResult RestoreAttributes(const std::string& path, FileAttributes attributes) override;
    FileResult MoveReplacing(const std::string& from, const std::string& to) override;
    FileResult ReplaceKeepingBackup(const std::string& from, const std::string& to, const std::string& backup) override;
    FileResult Remove(const std::string& path) override;
    // Folders are not held: a file may stand in any, and listing one lists the files in it.
    FileResult CreateFolder(const std::string& path) override;
    FileResult ListFiles(const std::string& folder, std::vector<std::string>& names) override;

private:
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
