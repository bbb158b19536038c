// The row colors of each kind of movement and the data folder: what the user
// chooses in "Configuracion" and "Configurador.log" keeps.
#pragma once

#include "ledger/data/Ledger.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cofrelo {

// 0x00BBGGRR: red in the lowest byte, as the Windows COLORREF.
using Color = std::uint32_t;

// The text and background colors of a list row.
struct RowColors {
    Color Text;
    Color Back;

    bool operator==(const RowColors&) const = default;
};

struct Settings {
    // Indexed by MovementKind: white on blue for savings, on red for expenses, on silver for comments.
    std::array<RowColors, MovementKindCount> Rows = {{
        {0x00FFFFFF, 0x00FF0000},
        {0x00FFFFFF, 0x000000FF},
        {0x00FFFFFF, 0x00C0C0C0},
    }};
    std::string DataFolder;  // where ledger files and exports go; ends with "\"; UTF-8

    RowColors& ColorsOf(MovementKind kind) { return Rows[static_cast<std::size_t>(kind)]; }
    const RowColors& ColorsOf(MovementKind kind) const { return Rows[static_cast<std::size_t>(kind)]; }
    bool operator==(const Settings&) const = default;
};

// The colors of a row whose movement stores this kind; none for a kind the
// program does not know (the list's own colors then).
std::optional<RowColors> RowColorsFor(std::int32_t kind, const Settings& settings);

// The executable's folder with its trailing "\": the whole module path up to
// and including its last backslash.
std::string ProgramFolderFromModulePath(std::string_view modulePath);

// A folder as the data folder keeps it: ending with "\".
std::string AsDataFolder(std::string_view folder);

// The defaults of every start: default colors, data in the program's folder.
Settings DefaultSettings(const std::string& programFolder);

}  // namespace cofrelo
