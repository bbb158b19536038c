#include "Controls.h"

#include "Window.h"

namespace e2e {

namespace {

constexpr int MessageBoxTextId = 0xFFFF;

HWND KeyboardTarget(HWND window)
{
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    const bool focusInWindow = thread.hwndFocus && (thread.hwndFocus == window || IsChild(window, thread.hwndFocus));
    return focusInWindow ? thread.hwndFocus : window;
}

}  // namespace

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

int CheckState(HWND button)
{
    return static_cast<int>(SendBounded(button, BM_GETCHECK, 0, 0));
}

std::wstring MessageBoxText(HWND box)
{
    return Text(Control(box, MessageBoxTextId));
}

void PressMessageBoxButton(HWND box, int buttonId)
{
    Click(Control(box, buttonId));
}

void PressKey(HWND window, WORD virtualKey, Alt alt)
{
    RequireReachable(window, "press a key in");
    PostKeyPress(KeyboardTarget(window), virtualKey, alt);
    WaitUntilTaken(window);
}

const char* NameOf(Keystroke keystroke)
{
    switch (keystroke) {
    case Keystroke::Enter: return "Enter";
    case Keystroke::Esc: return "Esc";
    case Keystroke::AltF4: return "Alt+F4";
    case Keystroke::CloseCommand: return "close command";
    }
    return "?";
}

void Press(HWND window, Keystroke keystroke)
{
    switch (keystroke) {
    case Keystroke::Enter: return PressKey(window, VK_RETURN);
    case Keystroke::Esc: return PressKey(window, VK_ESCAPE);
    case Keystroke::AltF4: return PressKey(window, VK_F4, Alt::Held);
    case Keystroke::CloseCommand: return ChooseCloseCommand(window);
    }
}

void Focus(HWND control)
{
    RequireReachable(control, "focus");
    PostAndWaitUntilTaken(GetAncestor(control, GA_ROOT), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    if (KeyboardTarget(control) != control) throw DriverError("could not give the focus to " + Describe(control));
}

}  // namespace e2e
