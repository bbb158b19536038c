#include "common/win32/Handles.h"

namespace {

IconHandle LoadIconResource(int iconResourceId, int widthMetric, int heightMetric)
{
    return IconHandle(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconResourceId),
                                                    IMAGE_ICON, GetSystemMetrics(widthMetric),
                                                    GetSystemMetrics(heightMetric), 0)));
}

}  // namespace

// A missing icon leaves the window without one; nothing is reported.
WindowIcons SetWindowIcons(HWND window, int iconResourceId)
{
    WindowIcons icons{LoadIconResource(iconResourceId, SM_CXICON, SM_CYICON),
                      LoadIconResource(iconResourceId, SM_CXSMICON, SM_CYSMICON)};
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.Large.get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.Small.get()));
    return icons;
}
