#include "Screen.h"

#include "Png.h"
#include "Window.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

namespace e2e {

namespace {

// Captures this far apart must agree before the screen counts as settled.
constexpr DWORD SettleIntervalMs = 50;

std::string DescribeArea(const RECT& area)
{
    return "(" + std::to_string(area.left) + ", " + std::to_string(area.top) + ")-(" + std::to_string(area.right) +
           ", " + std::to_string(area.bottom) + ")";
}

}  // namespace

ScreenImage::ScreenImage(const RECT& area, std::vector<COLORREF> pixels) : area_(area), pixels_(std::move(pixels)) {}

COLORREF ScreenImage::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        throw DriverError("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is outside the capture " +
                          DescribeArea(area_));
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width()) + static_cast<std::size_t>(x)];
}

bool ScreenImage::Contains(COLORREF colour) const
{
    return std::find(pixels_.begin(), pixels_.end(), colour) != pixels_.end();
}

COLORREF ScreenImage::MostCommon() const
{
    std::map<COLORREF, std::size_t> counts;
    for (COLORREF pixel : pixels_) ++counts[pixel];
    return std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
               return a.second < b.second;
           })->first;
}

std::string ScreenImage::Png() const
{
    std::vector<std::uint8_t> rgb;
    rgb.reserve(pixels_.size() * 3);
    for (COLORREF pixel : pixels_) rgb.insert(rgb.end(), {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)});
    return EncodePng(Width(), Height(), rgb);
}

ScreenImage CaptureScreen(const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) throw DriverError("cannot capture the empty area " + DescribeArea(area));
    // A top-down 32-bit DIB: rows in screen order, one DWORD (B, G, R, unused) per pixel.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const bool copied =
        bitmap && BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
    std::vector<COLORREF> pixels;
    if (copied) {
        const auto* quads = static_cast<const RGBQUAD*>(bits);
        pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        for (std::size_t i = 0; i < static_cast<std::size_t>(width) * static_cast<std::size_t>(height); ++i)
            pixels.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
    }
    SelectObject(memory, previous);
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!copied) throw DriverError("could not capture the screen area " + DescribeArea(area));
    return {area, std::move(pixels)};
}

ScreenImage CapturePainted(HWND window, const RECT& area, Timeout timeout)
{
    WaitUntilIdle(window, timeout);
    ScreenImage previous = CaptureScreen(area);
    return WaitFor(
        [&]() -> std::optional<ScreenImage> {
            Sleep(SettleIntervalMs);
            ScreenImage current = CaptureScreen(area);
            if (current.SamePixels(previous)) return current;
            previous = std::move(current);
            return std::nullopt;
        },
        "the screen area " + DescribeArea(area) + " to stop changing", timeout).value();
}

COLORREF PixelAt(HWND window, POINT screenPoint, Timeout timeout)
{
    const RECT pixel{screenPoint.x, screenPoint.y, screenPoint.x + 1, screenPoint.y + 1};
    return CapturePainted(window, pixel, timeout).At(0, 0);
}

void SaveScreenshot(HWND window, const std::wstring& path)
{
    // A maximised window's frame lies beyond the screen's edges, where there
    // is nothing to capture: keep the part on the screen.
    const RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                      GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    const RECT whole = ScreenRect(window);
    RECT visible{};
    IntersectRect(&visible, &whole, &screen);
    const std::string png = CapturePainted(window, visible).Png();
    std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    file.write(png.data(), static_cast<std::streamsize>(png.size()));
    if (!file.flush()) throw DriverError("could not write the screenshot " + Utf8(path));
}

}  // namespace e2e
