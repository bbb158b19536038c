// Ratiolo's window worked as a user does: two values in, "Calcular", the third
// out in red; anything else gets the message and black text everywhere. What
// the values and their texts are is the calculator core's to decide.
#include "tests/e2e/driver/Driver.h"
#include "calculator/RatioloIds.h"

#include <gtest/gtest.h>

#include <array>

using namespace ratiolo;

namespace {

constexpr COLORREF Red = RGB(255, 0, 0), Black = RGB(0, 0, 0);
constexpr int Boxes[] = {GrossBoxId, PercentageBoxId, ResultBoxId};
// What the three boxes hold, in the order of Boxes.
using Entries = std::array<std::wstring, 3>;

// Each row is typed over what the one before left, then Enter is pressed on
// the control focused: on a button it presses it, as everywhere in Windows;
// otherwise it does nothing ("Salir" is clicked). A computed box stays red
// when typed over and when another box is computed, until a refusal or
// "Borrar". A box that holds no text has no text color to see: a digit typed
// into it takes the box's color. The window keeps the focus across
// deactivation, as the dialog kit makes every window of both programs do.
TEST(CalculatorWindow, WritesEachMissingValueInRedOrAsksForExactlyTwoValuesAndTakesItsKeys)
{
    // The message answered, if one is expected.
    const struct { Entries typed; int focused; Entries shown; std::array<COLORREF, 3> colors; const wchar_t* message; }
        cases[] = {
        {{L"\uFF12\uFF10\uFF10", L"15", L""}, CalculateButtonId, {L"\uFF12\uFF10\uFF10", L"15", L"30."},
         {Black, Black, Red}, nullptr},  // full-width digits count as the digits they show
        {{L"", L"15", L"45"}, CalculateButtonId, {L"300.", L"15", L"45"}, {Red, Black, Red}, nullptr},
        {{L"200", L"15", L"30"}, CalculateButtonId, {L"200", L"15", L"30"}, {Black, Black, Black},
         L"Tienes que rellenar solo dos datos ..."},
        {{L"200", L"", L"30"}, CalculateButtonId, {L"200", L"15. %", L"30"}, {Black, Red, Black}, nullptr},
        {{L"200", L"", L"30"}, GrossBoxId, {L"200", L"", L"30"}, {Black, Red, Black}, nullptr},
        {{L"200", L"", L"30"}, ClearButtonId, {L"", L"", L""}, {Black, Black, Black}, nullptr},
    };
    e2e::Application app;
    const HWND window = app.WaitForWindow(CalculatorTitle);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << e2e::Utf8(c.typed[0] + L"|" + c.typed[1] + L"|" + c.typed[2]) << " on "
                                        << c.focused);
        for (int i = 0; i < 3; ++i) e2e::TypeText(e2e::Control(window, Boxes[i]), c.typed[i]);
        e2e::Focus(e2e::Control(window, c.focused));
        e2e::Press(e2e::Control(window, c.focused), e2e::Enter);
        if (c.message) {
            EXPECT_EQ(e2e::AnswerMessageBox(app.WaitForWindow(MessageTitle), IDOK), c.message);
        }
        EXPECT_FALSE(app.FindTopLevel(MessageTitle));
        for (int i = 0; i < 3; ++i) {
            const HWND box = e2e::Control(window, Boxes[i]);
            EXPECT_EQ(e2e::Text(box), c.shown[i]) << "box " << i;
            if (e2e::Text(box).empty()) e2e::TypeText(box, L"8");
            RECT inside = e2e::ScreenRect(box);
            InflateRect(&inside, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));  // inside the border
            EXPECT_NO_THROW(e2e::AwaitColors(window, inside, c.colors[i], GetSysColor(COLOR_WINDOW))) << "box " << i;
        }
    }
    e2e::Focus(e2e::Control(window, ResultBoxId));
    EXPECT_EQ(e2e::FocusAfterReactivation(window, e2e::Control(window, GrossBoxId)), e2e::Control(window, ResultBoxId));
    e2e::Click(e2e::Control(window, ExitButtonId));
    EXPECT_EQ(app.WaitForExit(), 0u);
}

// taskkill (which sends WM_CLOSE) ends the program as "Salir" does, also
// with its message open. Its other endings take the dialog kit's road, which
// the Cofrelo tests follow: the close command (Keys) and the end of the
// session (Closing).
TEST(CalculatorWindow, EndsWithZeroOnTaskkillWithItsMessageOpen)
{
    e2e::Application app;
    e2e::Click(e2e::Control(app.WaitForWindow(CalculatorTitle), CalculateButtonId));  // no values: the message opens
    app.WaitForWindow(MessageTitle);
    EXPECT_EQ(e2e::RunToEnd(L"taskkill.exe /PID " + std::to_wstring(app.ProcessId())), 0u);
    EXPECT_EQ(app.WaitForExit(), 0u);
}

}  // namespace
