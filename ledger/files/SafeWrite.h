// Replacing a file without ever losing the old one.
#pragma once

#include "ledger/files/FileSystem.h"

#include <span>
#include <string>

namespace cofrelo {

// Writes the whole content to a new file beside the target, flushes it and only
// then puts it in the target's place in one step (clearing a read-only mark on
// the target first). If any step fails, the target is left exactly as it was,
// read-only mark included, the new file is removed, and the failure is
// returned. A device at the path is refused before anything is written.
FileResult ReplaceFileContents(FileSystem& files, const std::string& path, std::span<const char> contents);

// As ReplaceFileContents over an existing file, which goes to backupPath (a
// free name in an existing folder on the same volume) instead of away. When
// only keeping it fails, the target is replaced all the same, exactly as
// ReplaceFileContents does, and `kept` says why no backup was kept.
FileResult ReplaceFileContentsKeepingOld(FileSystem& files, const std::string& path, std::span<const char> contents,
                                         const std::string& backupPath, FileResult& kept);

// The name of the attempt-th temporary file for the target: in the target's
// folder, under a short name of its own, so that it is never longer than the
// target's path allows nor its last part longer than a folder entry may be.
std::string TemporaryPathFor(const std::string& path, int attempt);

}  // namespace cofrelo
