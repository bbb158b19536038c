// A file system held in memory, so that the loaders and savers run under the
// fuzzer without touching the disk. It keeps the rules the product relies on:
// creating fails where something already stands, a move replaces its target
// in one step, reading past the end fails.
#pragma once

#include "files/FileSystem.h"

#include <map>
#include <string>

class MemoryFileSystem final : public FileSystem {
public:
    void Put(const std::string& path, std::string bytes);
    // The file's bytes, or none when nothing stands at the path.
    const std::string* Find(const std::string& path) const;
    std::size_t FileCount() const { return files_.size(); }

    bool Exists(const std::string& path) override;
    FileResult OpenForReading(const std::string& path, std::unique_ptr<FileReader>& reader) override;
    FileResult CreateNew(const std::string& path, std::unique_ptr<FileWriter>& writer) override;
    FileResult RefuseDevice(const std::string& path) override;
    FileResult ClearReadOnly(const std::string& path, FileAttributes& before) override;
    FileResult RestoreAttributes(const std::string& path, FileAttributes attributes) override;
    FileResult MoveReplacing(const std::string& from, const std::string& to) override;
    FileResult Remove(const std::string& path) override;

private:
    // A map, not a hash table: readers and writers keep pointers to the bytes,
    // which inserting other files must not move.
    std::map<std::string, std::string> files_;
};
