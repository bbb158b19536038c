// Windows of the program under test, seen from outside: messages with a bound
// on the wait for the answer, user actions posted as the system posts input,
// texts, states and rectangles. All of it works across processes on Windows
// and under Wine.
#pragma once

#include "Wait.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// Sends a message and waits for its answer at most timeout; a window that does
// not answer in time (hung, or stuck in a loop of its own) throws DriverError.
LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Timeout timeout = ReplyTimeout);

// Returns once the window's thread has handled everything queued for it so far
// (posted messages, input) and has painted the window and its controls anew:
// the system makes WM_PAINT only when nothing else is queued, so the whole
// window is invalidated and the wait lasts until no part of it awaits
// painting. An action that opened a modal window counts as handled, since the
// modal window's loop paints too. Needs a visible window; one that closes or
// hides meanwhile (as a dialog does as soon as it is ended) counts as done.
void WaitUntilIdle(HWND window, Timeout timeout = ReplyTimeout);

// What a user does goes through the program's message loop: the system posts
// input, and the commands made of it (a menu's WM_COMMAND, the close box's
// WM_SYSCOMMAND) are handled from there. Posting keeps that road: a loop that
// ends when its window is destroyed sees it, which a sent message, handled
// inside GetMessage, would hide. Posts the message to target and returns once
// the program has taken it (WaitUntilIdle of target's top-level window).
void PostAndWaitUntilTaken(HWND target, UINT message, WPARAM wParam, LPARAM lParam);
// The wait of PostAndWaitUntilTaken alone, for input already posted to window
// or its controls: done also when the input has closed or hidden the window.
void WaitUntilTaken(HWND window);

// Whether Alt is held down while a key is pressed.
enum class Alt { Up, Held };

// Posts a key's WM_KEYDOWN and WM_KEYUP to the window, as the system posts
// keyboard input to the window with the focus; with Alt held they are
// WM_SYSKEYDOWN and WM_SYSKEYUP with the context code set.
void PostKeyPress(HWND window, WORD virtualKey, Alt alt = Alt::Up);

// Throws DriverError unless a user could reach the window: it and every window
// it sits in are visible and enabled (a window with an owned modal dialog open
// is disabled).
void RequireReachable(HWND window, std::string_view action);

// The child control with this id; throws DriverError when there is none.
HWND Control(HWND parent, int id);

// The text as the window itself gives it (WM_GETTEXT), so an edit box's
// current contents, not a cached caption.
std::wstring Text(HWND window);

// The texts of the window's controls, in their z-order: what a user has
// typed, and what the window shows.
std::vector<std::wstring> ControlTexts(HWND window);

bool IsEnabled(HWND window);
RECT ScreenRect(HWND window);
// The client area in screen coordinates.
RECT ClientScreenRect(HWND window);

// What the close box, Alt+F4 and the system menu's close item do
// (WM_SYSCOMMAND with SC_CLOSE); returns once the program has taken it.
void ChooseCloseCommand(HWND window);

void WaitUntilGone(HWND window, Timeout timeout = DefaultTimeout);
void WaitUntilEnabled(HWND window, bool enabled, Timeout timeout = DefaultTimeout);
void WaitUntilText(HWND window, std::wstring_view text, Timeout timeout = DefaultTimeout);

// A description of the window for failure messages: handle, class and caption.
std::string Describe(HWND window);

}  // namespace e2e
