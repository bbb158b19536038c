#include "common/win32/Handles.h"

namespace {

IconHandle LoadIconResource(int iconResourceId, int size)
{
    return IconHandle(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconResourceId), IMAGE_ICON, size, size, 0)));
}

}  // namespace

// A missing icon leaves the window without one; nothing is reported.
WindowIcons SetWindowIcons(HWND window, int iconResourceId)
{
    WindowIcons icons{LoadIconResource(iconResourceId, 32), LoadIconResource(iconResourceId, 16)};
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.Large.get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.Small.get()));
    return icons;
}
