// Cofrelo's program-wide state: one of each for the whole run, owned by the
// main window's thread (the program has no other).
#pragma once

#include "data/Ledger.h"
#include "settings/Settings.h"

#include <windows.h>

#include <optional>
#include <string>

struct ProgramState {
    HWND MainWindow = nullptr;
    HWND LedgerList = nullptr;  // control 1001 of the main window
    ::Ledger Ledger;
    ::Settings Settings;
    std::string ProgramFolder;  // the executable's folder, with its trailing "\"
    std::optional<ConfigurationFile> ConfigFile;  // "Configurador.log" in ProgramFolder
    std::string LedgerFileName;  // the document name of the run, without folder or extension
    bool AmericanFormat = false;  // 1,234.50 instead of 1.234'50; every run starts European
};

extern ProgramState Cofrelo;
