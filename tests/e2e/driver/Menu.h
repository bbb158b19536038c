// The menu bar of a program's window, worked from outside.
#pragma once

#include "Wait.h"

#include <windows.h>

namespace e2e {

// Chooses a menu item: WM_COMMAND with the item's id in the low word and 0 in
// the high word and in lParam, posted as the menu posts it when an item is
// chosen; returns once the program has taken it, as Click.
void ChooseMenuCommand(HWND window, WORD commandId);

// Whether the item at position (counting separators, from 0) of the menu bar's
// popup number popup (from 0) shows a check mark.
//
// On Windows the menu is read directly (GetMenuState works on another
// process's menu). Under Wine a menu can only be read by its own process, so
// the driver does what a user does: it opens the popup from the keyboard (F10
// and arrow keys, posted like PressKey), walks its items with the Down key,
// reads the drawn check mark in each highlighted row from the screen, and
// closes the popup with Esc. Separators show as gaps between the highlighted
// rows, counted by the gap's height against the smallest gap seen so far (so
// two separators in a row count as one until a single one has been passed).
// This reading needs the classic menu drawing (highlight in COLOR_HIGHLIGHT),
// which Wine has; it takes about a tenth of a second per item walked.
bool IsMenuItemChecked(HWND window, int popup, int position);

}  // namespace e2e
