// What a user does with controls, message boxes and keys, and what a user can
// see of them. Every action refuses (DriverError) a control that a user could
// not reach: hidden, disabled, or in a disabled window.
#pragma once

#include "Wait.h"
#include "Window.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace e2e {

// Replaces the edit box's text the way typing does: everything is selected,
// removed with Backspace and each character sent as WM_CHAR, so the program
// gets its EN_UPDATE and EN_CHANGE notifications and the box applies its own
// rules (length limit, read-only). Returns once the box has taken every
// character.
void TypeText(HWND edit, std::wstring_view text);

// BM_CLICK: a push button, a check box or a radio button, as a mouse click
// does (an automatic radio button checks itself and clears its group).
// Posted, and returns once the program has taken it (PostAndWaitUntilTaken),
// also when the click opens a modal window.
void Click(HWND button);

// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
int CheckState(HWND button);

// The text of a message box: its static control with id 0xFFFF, as on
// Windows, which Wine keeps.
std::wstring MessageBoxText(HWND box);
// Clicks IDOK, IDYES, IDNO... of a message box.
void PressMessageBoxButton(HWND box, int buttonId);

// Presses and releases a key (VK_RETURN, VK_ESCAPE...) in the window: the key
// goes to the control that has the keyboard focus in it, or to the window
// itself, posted as the system posts keyboard input, so the program's message
// loop and its dialog manager (IsDialogMessage) see it as a real key. Returns
// once the program has taken it, also when the key closed the window. The key
// state of the keyboard (GetKeyState) is not changed; Alt held makes it a
// system key (Alt+F4).
void PressKey(HWND window, WORD virtualKey, Alt alt = Alt::Up);

// What a user presses in a window, for tables of them: a key, Alt+F4, or the
// close command itself (ChooseCloseCommand, as the close box sends it).
enum class Keystroke { Enter, Esc, AltF4, CloseCommand };
const char* NameOf(Keystroke keystroke);
void Press(HWND window, Keystroke keystroke);

// Gives the control the keyboard focus as the dialog manager does on Tab
// (WM_NEXTDLGCTL to its dialog); throws DriverError unless it then has it.
void Focus(HWND control);

}  // namespace e2e
