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

void PressKey(HWND window, WORD virtualKey)
{
    RequireReachable(window, "press a key in");
    PostKeyPress(KeyboardTarget(window), virtualKey);
    WaitUntilIdle(GetAncestor(window, GA_ROOT));
}

}  // namespace e2e
