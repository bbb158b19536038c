// Cofrelo's program-wide state: one of each for the whole run, owned by the
// main window's thread (the program has no other).
#pragma once

#include "common/platform/Handles.h"
#include "common/win32/WindowLook.h"
#include "ledger/data/Ledger.h"
#include "ledger/settings/ConfigurationFile.h"
#include "ledger/settings/Settings.h"
#include "ledger/settings/win32/ConfigDialog.h"

#include <windows.h>

#include <optional>
#include <string>

namespace cofrelo {

struct ProgramState {
    // The main window's own objects; the window uses them until it is destroyed.
    HWND LedgerList = nullptr;  // control 1001 of the main window
    HMENU MainMenu = nullptr;   // destroyed with the window it is attached to
    common::FontHandle ListFont;
    common::WindowIcons Icons;
    HWND SavedFocus = nullptr;  // the focused control while the window is inactive

    cofrelo::Ledger Ledger;
    cofrelo::Settings Settings;
    std::string ProgramFolder;                    // the executable's folder, with its trailing "\"
    std::optional<ConfigurationFile> ConfigFile;  // "Configurador.log" in ProgramFolder
    std::string LedgerFileName;  // the document name of the run, without folder or extension
    bool AmericanFormat = false;  // 1,234.50 instead of 1.234'50; every run starts European
    MovementKind KindChoice = MovementKind::Saving;  // preselected by the next "Insertar Datos"
    CustomColors CustomColors{};                     // the color chooser's, across openings
};

}  // namespace cofrelo
