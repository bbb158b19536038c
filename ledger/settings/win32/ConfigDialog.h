// "Configuracion": the dialog in which the user chooses the six row colours
// and the data folder.
#pragma once

#include "settings/Settings.h"

#include <windows.h>

#include <array>
#include <optional>

// The colour chooser's custom colours: kept for the whole run, never saved.
using CustomColours = std::array<COLORREF, 16>;

// Runs the dialog modally to its owner on a copy of the settings. Returns the
// settings the user chose with "Aceptar"; nothing for "Cancelar" or a close.
// A folder that configFile cannot keep is refused when it is chosen.
std::optional<Settings> ShowConfigDialog(HWND owner, const Settings& settings, const ConfigurationFile& configFile,
                                         CustomColours& customColors);
