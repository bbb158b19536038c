#include "ledger/settings/Settings.h"

namespace cofrelo {

std::optional<RowColors> RowColorsFor(std::int32_t kind, const Settings& settings)
{
    if (kind < 0 || kind >= static_cast<std::int32_t>(MovementKindCount)) return std::nullopt;
    return settings.ColorsOf(static_cast<MovementKind>(kind));
}

std::string ProgramFolderFromModulePath(std::string_view modulePath)
{
    const std::size_t lastBackslash = modulePath.rfind('\\');
    if (lastBackslash == std::string_view::npos) return {};
    return std::string(modulePath.substr(0, lastBackslash + 1));
}

std::string AsDataFolder(std::string_view folder)
{
    std::string result(folder);
    if (result.empty() || result.back() != '\\') result += '\\';
    return result;
}

Settings DefaultSettings(const std::string& programFolder)
{
    Settings settings;
    settings.DataFolder = programFolder;
    return settings;
}

}  // namespace cofrelo
