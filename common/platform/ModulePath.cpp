#include "common/platform/ModulePath.h"

#include "common/platform/TextConversions.h"

namespace common {

std::string ModulePath(HMODULE module)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return Utf8FromWide(path);
        }
        path.resize(path.size() * 2);  // cut to the buffer: try again with more room
    }
}

}  // namespace common
