#include "common/win32/WindowLook.h"

#include "common/win32/DialogTemplate.h"

namespace common {

namespace {

BOOL CALLBACK SetFontOnControl(HWND control, LPARAM font)
{
    SendMessageW(control, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return TRUE;
}

IconHandle LoadIconResource(int iconResourceId, int widthMetric, int heightMetric)
{
    return IconHandle(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconResourceId),
                                                    IMAGE_ICON, GetSystemMetrics(widthMetric),
                                                    GetSystemMetrics(heightMetric), 0)));
}

}  // namespace

FontHandle CreateBoldSansSerifFont(int points)
{
    const int pixelsPerInch = GetDeviceCaps(ScreenDc(), LOGPIXELSY);

    LOGFONTW font{};
    font.lfHeight = -(points * pixelsPerInch) / 72;  // character height, truncated as always
    font.lfWeight = FW_BOLD;
    font.lfCharSet = ANSI_CHARSET;
    SansSerifFace.copy(font.lfFaceName, LF_FACESIZE - 1);
    return FontHandle(CreateFontIndirectW(&font));
}

void SetFontOnControls(HWND window, HFONT font)
{
    EnumChildWindows(window, SetFontOnControl, reinterpret_cast<LPARAM>(font));
}

WindowIcons SetWindowIcons(HWND window, int iconResourceId)
{
    WindowIcons icons{LoadIconResource(iconResourceId, SM_CXICON, SM_CYICON),
                      LoadIconResource(iconResourceId, SM_CXSMICON, SM_CYSMICON)};
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.Large.get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.Small.get()));
    return icons;
}

}  // namespace common
