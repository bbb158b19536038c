#include "Driver.h"

#include <charconv>

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

}  // namespace e2e
