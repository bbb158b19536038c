// "Configuracion": the dialog in which the user chooses the six row colors
// and the data folder.
#pragma once

#include "ledger/settings/ConfigurationFile.h"
#include "ledger/settings/Settings.h"

#include <windows.h>

#include <array>
#include <optional>

namespace cofrelo {

// The color chooser's custom colors: kept for the whole run, never saved.
using CustomColors = std::array<COLORREF, 16>;

// Runs the dialog modally to its owner on a copy of the settings. Returns the
// settings the user chose with "Aceptar"; nothing for "Cancelar" or a close.
// A folder that configFile cannot keep is refused when it is chosen.
std::optional<Settings> ShowConfigDialog(HWND owner, const Settings& settings, const ConfigurationFile& configFile,
                                         CustomColors& customColors);

}  // namespace cofrelo
