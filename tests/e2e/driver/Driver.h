// Works a real program from outside, as a user would: starts it in a fresh
// folder, finds its windows and message boxes, types, clicks, presses keys,
// chooses menu commands, and reads texts, list cells and screen pixels. Every
// wait is bounded: what does not come true in time throws DriverError, which
// fails the running test, and the Application then ends its process.
#pragma once

#include "common/platform/Handles.h"
#include "common/platform/TextConversions.h"

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace e2e {

using Timeout = std::chrono::milliseconds;
// Long enough for a program to start under Wine on a busy two-core machine.
inline constexpr Timeout DefaultTimeout{10000};
// How long a window may take to answer one message before it counts as hung.
inline constexpr Timeout ReplyTimeout{5000};

using DriverError = std::runtime_error;

inline std::string Utf8(std::wstring_view text) { return common::Utf8FromWide(text); }

// Calls find until it gives something true and returns that; once timeout has
// passed, throws DriverError naming what was awaited.
template <class Find>
auto WaitFor(Find find, const std::string& awaited, Timeout timeout = DefaultTimeout)
{
    for (const auto deadline = std::chrono::steady_clock::now() + timeout;; Sleep(10)) {
        if (auto found = find()) return found;
        if (std::chrono::steady_clock::now() >= deadline)
            throw DriverError("timed out after " + std::to_string(timeout.count()) + " ms waiting for " + awaited);
    }
}

std::string FileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

// The program the tests work, from their command line (TestMain.cpp), as a
// Windows path (see WindowsPathOf).
extern std::wstring ProgramUnderTest;
// The Windows form of a path handed over by the build: under Wine a host path
// /x/y is reached through drive Z:.
std::wstring WindowsPathOf(std::wstring_view hostPath);

// A file placed beside the copied executable before it starts: its name and bytes.
using ExtraFile = std::pair<std::wstring, std::string>;

// One run of the program under test: a copy of the executable in a fresh
// scratch folder (or in a subfolder of that name inside it), started from
// there. Destroying the object ends the process if it still runs and removes
// the scratch folder. An installed program runs where it is instead
// (InPlace), and its folder stays.
class Application {
public:
    explicit Application(const std::vector<ExtraFile>& extraFiles = {}, std::wstring_view subfolder = {});
    struct InPlace {};
    explicit Application(InPlace);
    ~Application();

    // The program's folder, with its trailing backslash.
    const std::wstring& Folder() const { return folder_; }

    // A visible top-level window of this process with exactly this caption: the
    // main window, a dialog, a message box. The search sends no message, so a
    // hung program cannot block it.
    HWND FindTopLevel(std::wstring_view caption) const;
    // Returns once the window has painted.
    HWND WaitForWindow(std::wstring_view caption, Timeout timeout = DefaultTimeout) const;

    DWORD ProcessId() const { return GetProcessId(process_.Get()); }
    // The exit code; a program that does not end in time is ended and DriverError thrown.
    DWORD WaitForExit(Timeout timeout = DefaultTimeout);

private:
    // Removed with everything in it as the object goes; none for a program run in place.
    std::wstring scratch_;
    std::wstring folder_;
    common::KernelHandle process_;
};

// Sends a message and waits for its answer at most timeout (a hung window throws).
LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Timeout timeout = ReplyTimeout);
// Returns once the window's thread has handled everything queued so far and
// painted the window anew (WM_PAINT comes only when nothing else is queued).
// A window that hides or closes meanwhile counts as done.
void WaitUntilIdle(HWND window, Timeout timeout = DefaultTimeout);
inline void WaitUntilGone(HWND window) { WaitFor([&] { return !IsWindow(window); }, "a window to close"); }

// The child control with this id; throws when there is none.
HWND Control(HWND parent, int id);
// The text as the window gives it (WM_GETTEXT): an edit box's contents.
std::wstring Text(HWND window);

// What a user does. Each posts what the system posts and returns once the
// program has taken it, also when that opened a modal window.
// Posting keeps the road a user's input takes: through the program's message
// loop, which a sent message (handled inside GetMessage) would bypass.
void PostAndWaitUntilTaken(HWND target, UINT message, WPARAM wParam, LPARAM lParam);
// Replaces the edit box's text as typing does: all selected, Backspace, then
// each character as WM_CHAR, so the box applies its own rules.
void TypeText(HWND edit, std::wstring_view text);
// BM_CLICK, as a mouse click on a push button, check box or radio button.
inline void Click(HWND button) { PostAndWaitUntilTaken(button, BM_CLICK, 0, 0); }
// Clicks the window's button and waits until the window has gone.
inline void CloseWith(HWND window, int button)
{
    Click(Control(window, button));
    WaitUntilGone(window);
}
// The message box's text: its static control 0xFFFF.
inline std::wstring MessageText(HWND box) { return Text(Control(box, 0xFFFF)); }
// Reads the message box's text, presses the button and waits until the box
// has gone; returns the text.
inline std::wstring AnswerMessageBox(HWND box, int button)
{
    const std::wstring text = MessageText(box);
    CloseWith(box, button);
    return text;
}
// Gives the control the focus as the dialog manager does on Tab (WM_NEXTDLGCTL).
void Focus(HWND control);
// Deactivates the window (WM_NCACTIVATE, as the system sends it), gives the
// focus to `meanwhile`, activates the window again, and returns the control
// that then has the focus.
HWND FocusAfterReactivation(HWND window, HWND meanwhile);
// Runs a command line of the system's (taskkill.exe, say) to its end and gives its exit code.
DWORD RunToEnd(std::wstring commandLine);
// WM_COMMAND with the item's id, as the menu posts it.
inline void ChooseMenuCommand(HWND window, int command) { PostAndWaitUntilTaken(window, WM_COMMAND, command, 0); }

// What a user presses in a window: a key, or the close command itself
// (WM_SYSCOMMAND with SC_CLOSE: the close box and the system menu's item).
// Key 0 is the close command.
struct Keystroke { const char* Name; WORD Key; bool AltHeld = false; };
inline constexpr Keystroke Enter{"Enter", VK_RETURN}, Esc{"Esc", VK_ESCAPE}, AltF4{"Alt+F4", VK_F4, true},
    CloseCommand{"close command", 0};
// A key goes as WM_KEYDOWN and WM_KEYUP (with Alt held, WM_SYSKEYDOWN and
// WM_SYSKEYUP) to the target, the control with the focus (see Focus) or a
// window, so the message loop and the dialog manager see a real key; the
// close command goes to the target's top-level window. GetKeyState is not
// changed.
void Press(HWND target, const Keystroke& keystroke);

// What the screen shows, as COLORREF (0x00BBGGRR), rows top down.
struct ScreenImage {
    int Width;
    int Height;
    std::vector<COLORREF> Pixels;

    COLORREF At(int x, int y) const { return Pixels[static_cast<std::size_t>(y * Width + x)]; }
};
// The screen area once the window has repainted. Under Wine what a window
// paints reaches the screen a little later: wait for what is expected.
ScreenImage CapturePainted(HWND window, const RECT& area);
inline RECT ScreenRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}
// Waits until the area shows the background color in most of its pixels and
// the text color in some (the cores of the strokes, whatever smoothing the
// glyph edges get); throws when it does not.
void AwaitColors(HWND window, const RECT& area, COLORREF text, COLORREF background);

// A report-view list view of another process. Its messages carry pointers,
// which the system does not carry across: the records and texts go through
// memory inside the program. The records hold pointers too, so driver and
// program must have the same bitness: each build compiles its own driver.
std::vector<std::wstring> ListHeaders(HWND list);
std::wstring ListCell(HWND list, int row, int column);
// Every cell of every row.
std::vector<std::vector<std::wstring>> ListRows(HWND list);
// The part of the row in sight, across its columns, in screen coordinates.
RECT ListRowScreenRect(HWND list, int row);
inline int ListRowCount(HWND list) { return static_cast<int>(SendBounded(list, LVM_GETITEMCOUNT, 0, 0)); }

}  // namespace e2e
