// "Configuracion": the dialog in which the user chooses the six row colours
// and the data folder.
#pragma once

#include "settings/Settings.h"

#include <windows.h>

// Runs the dialog modally to its owner on a copy of the settings. "Aceptar"
// puts the copy in force and saves it in the configuration file (telling the
// user if that fails); "Cancelar" drops it.
void ShowConfigDialog(HWND owner, Settings& settings, ConfigurationFile& configFile);
