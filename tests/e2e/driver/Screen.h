// What the screen shows: captures of screen areas, their pixels as COLORREF
// (0x00BBGGRR, as the programs' colour settings), and PNG screenshots.
#pragma once

#include "Wait.h"

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

class ScreenImage {
public:
    ScreenImage(const RECT& area, std::vector<COLORREF> pixels);

    const RECT& Area() const { return area_; }
    int Width() const { return area_.right - area_.left; }
    int Height() const { return area_.bottom - area_.top; }
    // x and y count from the area's top-left corner.
    COLORREF At(int x, int y) const;
    bool Contains(COLORREF colour) const;
    // The colour of most pixels: the background of a list row or a control.
    COLORREF MostCommon() const;
    std::string Png() const;

    bool SamePixels(const ScreenImage& other) const { return pixels_ == other.pixels_; }

private:
    RECT area_;
    std::vector<COLORREF> pixels_;
};

ScreenImage CaptureScreen(const RECT& area);

// The area as it looks once the window has handled everything queued for it
// and repainted, and the screen has stopped changing (under Wine, what a window
// paints reaches the screen a little later).
ScreenImage CapturePainted(HWND window, const RECT& area, Timeout timeout = DefaultTimeout);

// The colour at a screen point inside the window (a control, a list row), once
// painted as CapturePainted waits for it.
COLORREF PixelAt(HWND window, POINT screenPoint, Timeout timeout = DefaultTimeout);

// The window's whole screen rectangle, painted, saved as a PNG file.
void SaveScreenshot(HWND window, const std::wstring& path);

}  // namespace e2e
