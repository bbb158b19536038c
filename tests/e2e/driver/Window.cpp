#include "Driver.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace e2e {

namespace {

constexpr int MessageBoxTextId = 0xFFFF;

std::string Hex(std::uintptr_t value)
{
    char digits[20];
    return "0x" + std::string(digits, std::to_chars(std::begin(digits), std::end(digits), value, 16).ptr);
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

void RequireReachable(HWND window, std::string_view action)
{
    for (HWND container = window; container && container != GetDesktopWindow();
         container = GetAncestor(container, GA_PARENT))
        if (!IsWindowVisible(container) || !IsWindowEnabled(container))
            throw DriverError("cannot " + std::string(action) + " " + Describe(window) + ": " + Describe(container) +
                              " is hidden or disabled");
}

// Posting keeps the road a user's input takes: through the program's message
// loop, which a sent message (handled inside GetMessage) would bypass.
void PostAndWaitUntilTaken(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND root = GetAncestor(target, GA_ROOT);  // before the message may close it
    if (!PostMessageW(target, message, wParam, lParam))
        throw DriverError("could not post message " + Hex(message) + " to " + Describe(target));
    WaitUntilIdle(root);
}

void PostKey(HWND target, WORD virtualKey)
{
    const LPARAM data = 1 | static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, virtualKey, data);
    PostMessageW(target, WM_KEYUP, virtualKey, data | static_cast<LPARAM>(0xC0000000));
}

HWND ShownPopupMenuOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    for (HWND popup = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); popup;
         popup = FindWindowExW(nullptr, popup, L"#32768", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(popup, &owner);
        if (owner == processId && IsWindowVisible(popup)) return popup;
    }
    return nullptr;
}

// The popup's first item, highlighted as the popup opens, in the captured
// popup: the row and the column where the highlight begins.
std::optional<POINT> HighlightStart(const ScreenImage& popup)
{
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    for (int y = 0; y < popup.Height; ++y)
        if (popup.At(popup.Width / 2, y) == highlight)
            for (int x = 0; x < popup.Width; ++x)
                if (popup.At(x, y) == highlight) return POINT{x, y};
    return std::nullopt;
}

// A check mark stands left of the items' texts, in a column as wide as the
// system's check-mark bitmap, drawn in the menu's text colour.
bool ShowsCheckMark(const ScreenImage& popup, POINT highlight)
{
    const COLORREF mark = GetSysColor(COLOR_MENUTEXT);
    const int right = std::min(popup.Width, static_cast<int>(highlight.x) + GetSystemMetrics(SM_CXMENUCHECK) + 2);
    for (int y = 0; y < popup.Height; ++y)
        for (int x = highlight.x; x < right; ++x)
            if (popup.At(x, y) == mark) return true;
    return false;
}

HWND KeyboardTarget(HWND window)
{
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    const bool focusInWindow = thread.hwndFocus && (thread.hwndFocus == window || IsChild(window, thread.hwndFocus));
    return focusInWindow ? thread.hwndFocus : window;
}

}  // namespace

std::string Narrow(std::wstring_view text, UINT codePage)
{
    const int length = static_cast<int>(text.size());
    std::string narrow(
        static_cast<std::size_t>(WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(codePage, 0, text.data(), length, narrow.data(), static_cast<int>(narrow.size()), nullptr,
                        nullptr);
    return narrow;
}

std::string Describe(HWND window)
{
    wchar_t className[64] = {};
    GetClassNameW(window, className, static_cast<int>(std::size(className)));
    wchar_t caption[256] = {};
    InternalGetWindowText(window, caption, static_cast<int>(std::size(caption)));
    return "window " + Hex(reinterpret_cast<std::uintptr_t>(window)) + " (class \"" + Utf8(className) +
           "\", caption \"" + Utf8(caption) + "\")";
}

LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Timeout timeout)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, static_cast<UINT>(timeout.count()),
                             &answer))
        throw DriverError(Describe(window) + " did not answer message " + Hex(message) + " within " +
                          std::to_string(timeout.count()) + " ms");
    return static_cast<LRESULT>(answer);
}

void WaitUntilIdle(HWND window, Timeout timeout)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    WaitFor([&] { return !IsWindowVisible(window) || !AwaitsPainting(window); },
            Describe(window) + " to handle its queue and repaint", timeout);
}

void WaitUntilGone(HWND window, Timeout timeout)
{
    WaitFor([&] { return !IsWindow(window); }, Describe(window) + " to close", timeout);
}

HWND Control(HWND parent, int id)
{
    HWND control = GetDlgItem(parent, id);
    if (!control) throw DriverError(Describe(parent) + " has no control with id " + std::to_string(id));
    return control;
}

std::wstring Text(HWND window)
{
    std::wstring text(static_cast<std::size_t>(SendBounded(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendBounded(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::wstring AnswerMessageBox(HWND box, int button)
{
    const std::wstring text = Text(Control(box, MessageBoxTextId));
    CloseWith(box, button);
    return text;
}

void CloseWith(HWND window, int button)
{
    Click(Control(window, button));
    WaitUntilGone(window);
}

void TypeText(HWND edit, std::wstring_view text)
{
    RequireReachable(edit, "type into");
    SendBounded(edit, EM_SETSEL, 0, -1);
    if (SendBounded(edit, WM_GETTEXTLENGTH, 0, 0) > 0) SendBounded(edit, WM_CHAR, VK_BACK, 1);
    for (wchar_t c : text) SendBounded(edit, WM_CHAR, c, 1);
}

void Click(HWND button)
{
    RequireReachable(button, "click");
    PostAndWaitUntilTaken(button, BM_CLICK, 0, 0);
}

void Focus(HWND control)
{
    RequireReachable(control, "focus");
    PostAndWaitUntilTaken(GetAncestor(control, GA_ROOT), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    if (KeyboardTarget(control) != control) throw DriverError("could not give the focus to " + Describe(control));
}

std::vector<std::wstring> ControlTexts(HWND window)
{
    std::vector<std::wstring> texts;
    for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT))
        texts.push_back(Text(control));
    return texts;
}

void Press(HWND window, const Keystroke& keystroke)
{
    RequireReachable(window, "press a key in");
    if (!keystroke.Key) return PostAndWaitUntilTaken(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    const HWND target = KeyboardTarget(window);
    // Repeat count 1, the scan code and the Alt flag; a release adds the previous-state and transition bits.
    const LPARAM data = 1 | static_cast<LPARAM>(MapVirtualKeyW(keystroke.Key, MAPVK_VK_TO_VSC)) << 16 |
                        (keystroke.AltHeld ? static_cast<LPARAM>(KF_ALTDOWN) << 16 : 0);
    const HWND root = GetAncestor(target, GA_ROOT);  // before the key may close it
    PostMessageW(target, keystroke.AltHeld ? WM_SYSKEYDOWN : WM_KEYDOWN, keystroke.Key, data);
    PostMessageW(target, keystroke.AltHeld ? WM_SYSKEYUP : WM_KEYUP, keystroke.Key, data | static_cast<LPARAM>(0xC0000000));
    WaitUntilIdle(root);
}

void ChooseMenuCommand(HWND window, int commandId)
{
    RequireReachable(window, "use the menu of");
    PostAndWaitUntilTaken(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

bool MenuShowsCheckMark(HWND window)
{
    RequireReachable(window, "open the menu of");
    if (HMENU bar = GetMenu(window); bar && GetMenuItemCount(bar) > 0) {  // Windows reads another process's menu
        HMENU popup = GetSubMenu(bar, 0);
        for (int item = 0; item < GetMenuItemCount(popup); ++item)
            if (GetMenuState(popup, static_cast<UINT>(item), MF_BYPOSITION) & MF_CHECKED) return true;
        return false;
    }
    // Under Wine a window whose activation arrives late is raised over a popup
    // it has just opened; a popup that shows no highlight soon is opened again.
    for (int attempt = 1;; ++attempt) {
        WaitUntilIdle(window);
        PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, 0);  // as F10: the menu bar's first title
        PostKey(window, VK_DOWN);
        const HWND popup = WaitFor([&] { return ShownPopupMenuOf(window); }, "the menu to open");
        std::optional<ScreenImage> image;
        std::optional<POINT> highlight;
        const auto showsHighlight = [&] {
            image = CapturePainted(popup, ScreenRect(popup));
            highlight = HighlightStart(*image);
            return highlight.has_value();
        };
        try {
            WaitFor(showsHighlight, "the open menu's highlight", attempt < 3 ? Timeout{1000} : DefaultTimeout);
        } catch (const DriverError&) {
            if (attempt == 3) throw;
        }
        // One Esc closes the popup, the second leaves the menu bar.
        PostKey(window, VK_ESCAPE);
        PostKey(window, VK_ESCAPE);
        WaitUntilIdle(window);
        if (highlight) return ShowsCheckMark(*image, *highlight);
    }
}

}  // namespace e2e
