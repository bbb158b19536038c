#include "RatioloSession.h"

#include "Controls.h"
#include "Screen.h"
#include "Window.h"

namespace ratiolo {

std::wstring ProgramPath;

namespace {

int SquaredDistance(COLORREF a, COLORREF b)
{
    const int red = GetRValue(a) - GetRValue(b);
    const int green = GetGValue(a) - GetGValue(b);
    const int blue = GetBValue(a) - GetBValue(b);
    return red * red + green * green + blue * blue;
}

}  // namespace

const std::wstring& Entries::operator[](Box box) const
{
    if (box == GrossBox) return Gross;
    if (box == PercentageBox) return Percentage;
    return Result;
}

Session::Session() : App(ProgramPath), Window(App.WaitForWindow(WindowCaption))
{
    e2e::WaitUntilIdle(Window);
}

HWND Session::Control(int id) const
{
    return e2e::Control(Window, id);
}

void Session::Fill(const Entries& entries) const
{
    for (Box box : Boxes) e2e::TypeText(Control(box), entries[box]);
}

Entries Session::Shown() const
{
    return {e2e::Text(Control(GrossBox)), e2e::Text(Control(PercentageBox)), e2e::Text(Control(ResultBox))};
}

void Session::Press(Button button) const
{
    e2e::Click(Control(button));
}

void Session::Calculate(const Entries& entries) const
{
    Fill(entries);
    Press(CalculateButton);
}

std::wstring Session::AnswerMessage() const
{
    const HWND box = App.WaitForMessageBox(MessageTitle);
    const std::wstring text = e2e::MessageBoxText(box);
    e2e::PressMessageBoxButton(box, IDOK);
    e2e::WaitUntilGone(box);
    return text;
}

COLORREF Session::TextColour(Box box) const
{
    const e2e::ScreenImage image = e2e::CapturePainted(Window, e2e::ClientScreenRect(Control(box)));
    const COLORREF background = image.MostCommon();
    COLORREF farthest = background;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (SquaredDistance(image.At(x, y), background) > SquaredDistance(farthest, background))
                farthest = image.At(x, y);
    if (farthest == background)
        throw e2e::DriverError("no text to take the colour of in " + e2e::Describe(Control(box)));
    return farthest;
}

}  // namespace ratiolo
