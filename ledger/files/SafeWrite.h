// Replacing a file without ever losing the old one.
#pragma once

#include "files/FileSystem.h"

#include <span>
#include <string>

// Writes the whole content to a new file beside the target, flushes it and only
// then puts it in the target's place in one step (clearing a read-only mark on
// the target first). If any step fails, the target is left exactly as it was,
// the new file is removed, and the failure is returned.
FileResult ReplaceFileContents(FileSystem& files, const std::string& path, std::span<const char> contents);
