#include "ledger/files/LongPath.h"

namespace cofrelo {

std::wstring LongPathForm(std::wstring_view fullPath)
{
    if (fullPath.size() < ShortPathLimit || fullPath.starts_with(LR"(\\?\)") || fullPath.starts_with(LR"(\\.\)"))
        return std::wstring(fullPath);
    if (fullPath.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + std::wstring(fullPath.substr(2));
    return LR"(\\?\)" + std::wstring(fullPath);
}

}  // namespace cofrelo
