// "Insertar Datos": the dialog in which the user adds one movement.
#pragma once

#include "data/Ledger.h"

#include <windows.h>

// Runs the dialog modally to its owner. kindChoice is the kind chosen last,
// preselected and updated for the rest of the run. Returns true when a
// movement was appended to the ledger (always as its last one).
bool ShowInsertMovementDialog(HWND owner, Ledger& ledger, MovementKind& kindChoice);
