// The main window's list of movements: four columns, one row per movement in
// ledger order, each row painted in the colors of its kind.
#pragma once

#include "ledger/data/Ledger.h"
#include "ledger/settings/Settings.h"

#include <windows.h>
#include <commctrl.h>

namespace cofrelo {

void SetupLedgerColumns(HWND window, int listId);

// Appends the row of a movement; rowNumber is its index plus one.
void AddLedgerRow(HWND list, int rowNumber, const Movement& movement, bool american);

// Empties the list and shows every movement again, painting the screen once.
void RefillLedgerList(HWND list, const Ledger& ledger, bool american);

// The list's custom-draw answer: rows take their colors from the settings
// each time they are painted, so a color change shows at the next repaint.
LRESULT PaintLedgerRow(NMLVCUSTOMDRAW& draw, const Ledger& ledger, const Settings& settings);

}  // namespace cofrelo
