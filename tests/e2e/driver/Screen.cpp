#include "Driver.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <type_traits>

namespace e2e {

namespace {

// Captures this far apart must agree before the screen counts as settled.
constexpr DWORD SettleIntervalMs = 50;

struct ReleaseScreenDc {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};

std::string DescribeArea(const RECT& area)
{
    return "(" + std::to_string(area.left) + ", " + std::to_string(area.top) + ")-(" + std::to_string(area.right) +
           ", " + std::to_string(area.bottom) + ")";
}

ScreenImage CaptureScreen(const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) throw DriverError("cannot capture the empty area " + DescribeArea(area));
    // A top-down 32-bit DIB: one DWORD (B, G, R, unused) per pixel.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    // Declared so that the memory DC goes first, giving the bitmap back before it is deleted.
    const std::unique_ptr<std::remove_pointer_t<HDC>, ReleaseScreenDc> screen(GetDC(nullptr));
    const std::unique_ptr<std::remove_pointer_t<HBITMAP>, Freeing<DeleteObject>> bitmap(
        CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const std::unique_ptr<std::remove_pointer_t<HDC>, Freeing<DeleteDC>> memory(CreateCompatibleDC(screen.get()));
    SelectObject(memory.get(), bitmap.get());
    const bool copied = bitmap && BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top,
                                         SRCCOPY | CAPTUREBLT);
    if (!copied) throw DriverError("could not capture the screen area " + DescribeArea(area));
    ScreenImage image{width, height, {}};
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * static_cast<std::size_t>(height); ++i)
        image.Pixels.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
    return image;
}

// A bottom-up 24-bit BMP, rows padded to four bytes.
std::string Bmp(const ScreenImage& image)
{
    const auto rowSize = static_cast<DWORD>(image.Width * 3 + 3) & ~3u;
    BITMAPINFOHEADER info{sizeof info, image.Width, image.Height, 1, 24, BI_RGB, rowSize * image.Height, 0, 0, 0, 0};
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof info;
    const BITMAPFILEHEADER header{0x4D42, offset + info.biSizeImage, 0, 0, offset};  // "BM"
    std::string file(reinterpret_cast<const char*>(&header), sizeof header);
    file.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (int y = image.Height - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width; ++x)
            for (int shift : {16, 8, 0}) file += static_cast<char>(image.At(x, y) >> shift & 0xFF);
        file.resize(file.size() + rowSize - static_cast<DWORD>(image.Width) * 3, '\0');
    }
    return file;
}

}  // namespace

COLORREF ScreenImage::MostCommon() const
{
    std::map<COLORREF, std::size_t> counts;
    for (COLORREF pixel : Pixels) ++counts[pixel];
    return std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
               return a.second < b.second;
           })->first;
}

ScreenImage CapturePainted(HWND window, const RECT& area, Timeout timeout)
{
    WaitUntilIdle(window, timeout);
    ScreenImage previous = CaptureScreen(area);
    return WaitFor(
               [&]() -> std::optional<ScreenImage> {
                   Sleep(SettleIntervalMs);
                   ScreenImage current = CaptureScreen(area);
                   if (current.Pixels == previous.Pixels) return current;
                   previous = std::move(current);
                   return std::nullopt;
               },
               "the screen area " + DescribeArea(area) + " to stop changing", timeout)
        .value();
}

COLORREF PixelAt(HWND window, POINT screenPoint)
{
    return CapturePainted(window, {screenPoint.x, screenPoint.y, screenPoint.x + 1, screenPoint.y + 1}).At(0, 0);
}

RECT ScreenRect(HWND window)
{
    RECT rect{};
    if (!GetWindowRect(window, &rect)) throw DriverError("no rectangle for " + Describe(window));
    return rect;
}

void SaveScreenshot(HWND window, const std::wstring& path)
{
    // A maximised window's frame lies beyond the screen's edges: keep the part on the screen.
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const RECT whole = ScreenRect(window);
    RECT visible{};
    IntersectRect(&visible, &whole, &screen);
    const std::string bmp = Bmp(CapturePainted(window, visible));
    std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    if (!file.write(bmp.data(), static_cast<std::streamsize>(bmp.size())))
        throw DriverError("could not write the screenshot " + Utf8(path));
}

}  // namespace e2e
