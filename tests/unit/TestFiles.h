// Scratch folders and whole-file helpers for tests that touch the real disk,
// natively and under Wine alike.
#pragma once

#include <string>

// A fresh empty folder, removed with everything in it when the object dies.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder with its trailing separator, ready to have a name appended.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// Names of the entries in a folder as the system lists them, sorted.
std::string ListingOf(const std::string& folder);
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
void MakeReadOnly(const std::string& path);
void MakeFolder(const std::string& path);
