// Paths of MAX_PATH characters or more reach Windows' file functions only in
// their extended-length form, "\\?\C:\..." or "\\?\UNC\server\share\...".
#pragma once

#include <string>
#include <string_view>

namespace cofrelo {

inline constexpr std::size_t ShortPathLimit = 260;  // MAX_PATH, its terminating NUL included

// The extended-length form of a full path (drive or UNC) that is too long for
// the plain form; shorter paths, device paths ("\\.\...") and paths already in
// extended form are returned unchanged.
std::wstring LongPathForm(std::wstring_view fullPath);

}  // namespace cofrelo
