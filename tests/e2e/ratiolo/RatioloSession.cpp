#include "ratiolo/RatioloSession.h"

namespace ratiolo {

namespace {

int SquaredDistance(COLORREF a, COLORREF b)
{
    const int red = GetRValue(a) - GetRValue(b), green = GetGValue(a) - GetGValue(b), blue = GetBValue(a) - GetBValue(b);
    return red * red + green * green + blue * blue;
}

}  // namespace

void Session::Fill(const Entries& entries) const
{
    for (std::size_t i = 0; i < Boxes.size(); ++i) e2e::TypeText(e2e::Control(Window, Boxes[i]), entries[i]);
}

Entries Session::Shown() const
{
    Entries shown;
    for (std::size_t i = 0; i < Boxes.size(); ++i) shown[i] = e2e::Text(e2e::Control(Window, Boxes[i]));
    return shown;
}

COLORREF Session::TextColour(int box) const
{
    const HWND control = e2e::Control(Window, box);
    RECT client{};
    GetClientRect(control, &client);
    MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const e2e::ScreenImage image = e2e::CapturePainted(Window, client);
    const COLORREF background = image.MostCommon();
    COLORREF farthest = background;
    for (COLORREF pixel : image.Pixels)
        if (SquaredDistance(pixel, background) > SquaredDistance(farthest, background)) farthest = pixel;
    if (farthest == background) throw e2e::DriverError("no text to take the colour of in " + e2e::Describe(control));
    return farthest;
}

}  // namespace ratiolo
