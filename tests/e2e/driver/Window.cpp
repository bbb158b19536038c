#include "Window.h"

#include <cstdint>

namespace e2e {

namespace {

std::wstring ClassName(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

// The caption as stored with the window: reading it sends no message, so it is
// safe on a hung window.
std::wstring StoredCaption(HWND window)
{
    wchar_t caption[256] = {};
    InternalGetWindowText(window, caption, static_cast<int>(std::size(caption)));
    return caption;
}

BOOL CALLBACK NoteChildAwaitingPaint(HWND child, LPARAM context)
{
    auto& awaits = *reinterpret_cast<bool*>(context);
    awaits = IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE);
    return !awaits;
}

bool AwaitsPainting(HWND window)
{
    bool awaits = GetUpdateRect(window, nullptr, FALSE);
    if (!awaits) EnumChildWindows(window, NoteChildAwaitingPaint, reinterpret_cast<LPARAM>(&awaits));
    return awaits;
}

// The window has handled its queue and painted everything anew, or it has
// been hidden or closed meanwhile.
void WaitUntilPaintedOrHidden(HWND window, Timeout timeout)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    WaitFor([&] { return !IsWindowVisible(window) || !AwaitsPainting(window); },
            [&] { return Describe(window) + " to handle its queue and repaint"; }, timeout);
}

}  // namespace

std::string Describe(HWND window)
{
    return "window " + Hex(reinterpret_cast<std::uintptr_t>(window)) + " (class \"" +
           Utf8(ClassName(window)) + "\", caption \"" + Utf8(StoredCaption(window)) + "\")";
}

LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Timeout timeout)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, static_cast<UINT>(timeout.count()),
                             &answer)) {
        const DWORD error = GetLastError();
        throw DriverError(Describe(window) + " did not answer message " + Hex(message) + " within " +
                          std::to_string(timeout.count()) + " ms (error " + std::to_string(error) + ")");
    }
    return static_cast<LRESULT>(answer);
}

void PostAndWaitUntilTaken(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!PostMessageW(target, message, wParam, lParam))
        throw DriverError("could not post message " + Hex(message) + " to " + Describe(target));
    WaitUntilTaken(target);
}

void WaitUntilTaken(HWND window)
{
    // The input may close or hide its window before the wait begins ("Salir"):
    // then it has been taken.
    WaitUntilPaintedOrHidden(GetAncestor(window, GA_ROOT), DefaultTimeout);
}

void PostKeyPress(HWND window, WORD virtualKey, Alt alt)
{
    // Repeat count 1 and the scan code; a release also has the previous-state and transition bits.
    LPARAM data = 1 | static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    if (alt == Alt::Held) data |= static_cast<LPARAM>(KF_ALTDOWN) << 16;
    const UINT down = alt == Alt::Held ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = alt == Alt::Held ? WM_SYSKEYUP : WM_KEYUP;
    if (!PostMessageW(window, down, virtualKey, data) ||
        !PostMessageW(window, up, virtualKey, data | static_cast<LPARAM>(0xC0000000)))
        throw DriverError("could not post a key to " + Describe(window));
}

void RequireReachable(HWND window, std::string_view action)
{
    for (HWND container = window; container && container != GetDesktopWindow();
         container = GetAncestor(container, GA_PARENT)) {
        if (!IsWindowVisible(container) || !IsWindowEnabled(container))
            throw DriverError("cannot " + std::string(action) + " " + Describe(window) + ": " + Describe(container) +
                              " is hidden or disabled");
    }
}

HWND Control(HWND parent, int id)
{
    HWND control = GetDlgItem(parent, id);
    if (!control) throw DriverError(Describe(parent) + " has no control with id " + std::to_string(id));
    return control;
}

std::wstring Text(HWND window)
{
    const auto length = static_cast<std::size_t>(SendBounded(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendBounded(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::vector<std::wstring> ControlTexts(HWND window)
{
    std::vector<std::wstring> texts;
    for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT))
        texts.push_back(Text(control));
    return texts;
}

bool IsEnabled(HWND window)
{
    return IsWindowEnabled(window);
}

RECT ScreenRect(HWND window)
{
    RECT rect{};
    if (!GetWindowRect(window, &rect)) throw DriverError("no rectangle for " + Describe(window));
    return rect;
}

RECT ClientScreenRect(HWND window)
{
    RECT rect{};
    if (!GetClientRect(window, &rect)) throw DriverError("no client rectangle for " + Describe(window));
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ChooseCloseCommand(HWND window)
{
    RequireReachable(window, "close");
    PostAndWaitUntilTaken(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void WaitUntilIdle(HWND window, Timeout timeout)
{
    if (!IsWindowVisible(window)) throw DriverError("cannot wait for the invisible " + Describe(window) + " to paint");
    WaitUntilPaintedOrHidden(window, timeout);
}

void WaitUntilGone(HWND window, Timeout timeout)
{
    const std::string description = Describe(window);
    WaitFor([&] { return !IsWindow(window); }, description + " to close", timeout);
}

void WaitUntilEnabled(HWND window, bool enabled, Timeout timeout)
{
    WaitFor([&] { return IsEnabled(window) == enabled; },
            Describe(window) + (enabled ? " to be enabled" : " to be disabled"), timeout);
}

void WaitUntilText(HWND window, std::wstring_view text, Timeout timeout)
{
    std::wstring shown;
    WaitFor([&] { return (shown = Text(window)) == text; },
            [&] { return Describe(window) + " to show \"" + Utf8(text) + "\"; it shows \"" + Utf8(shown) + "\""; },
            timeout);
}

}  // namespace e2e
