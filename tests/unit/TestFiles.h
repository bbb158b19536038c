// Scratch folders and whole-file helpers for tests that touch the real disk,
// natively and under Wine alike.
#pragma once

#include "files/FileSystem.h"

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
    // Names of the entries in the folder, sorted.
    std::string Listing() const { return ListingOf(path_); }
    static std::string ListingOf(const std::string& folder);

private:
    std::string path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
void MakeReadOnly(const std::string& path);
bool IsReadOnly(const std::string& path);
void MakeFolder(const std::string& path);

// Wraps the system's file system and makes one chosen step fail: every call of
// RefuseDevice, CreateNew, Write, Flush, Close, ClearReadOnly and MoveReplacing
// counts as a step, numbered from 1. Removing and restoring attributes, the
// steps that clean up after a failure, are never made to fail.
class FaultyFileSystem final : public FileSystem {
public:
    explicit FaultyFileSystem(int failingStep) : failingStep_(failingStep) {}

    int Steps() const { return steps_; }
    bool Failed() const { return failingStep_ <= steps_; }
    // Whether the step now being taken is the one to fail.
    bool FailsNow() { return ++steps_ == failingStep_; }

    bool Exists(const std::string& path) override;
    FileResult OpenForReading(const std::string& path, std::unique_ptr<FileReader>& reader) override;
    FileResult CreateNew(const std::string& path, std::unique_ptr<FileWriter>& writer) override;
    FileResult RefuseDevice(const std::string& path) override;
    FileResult ClearReadOnly(const std::string& path, FileAttributes& before) override;
    FileResult RestoreAttributes(const std::string& path, FileAttributes attributes) override;
    FileResult MoveReplacing(const std::string& from, const std::string& to) override;
    FileResult Remove(const std::string& path) override;

    static constexpr const char* InjectedReason = "injected failure";

private:
    int failingStep_;
    int steps_ = 0;
};
