// One run of Ratiolo as its end-to-end tests and the screenshots work it: the
// program started in a fresh folder, its window, and its three boxes.
#pragma once

#include "Driver.h"
#include "calculator/RatioloIds.h"

#include <array>

namespace ratiolo {

inline constexpr std::array<int, 3> Boxes{GrossBoxId, PercentageBoxId, ResultBoxId};
// What the three boxes hold, in the order of Boxes.
using Entries = std::array<std::wstring, 3>;

class Session {
public:
    Session() : App(e2e::ProgramUnderTest), Window(App.WaitForWindow(CalculatorTitle)) { e2e::WaitUntilIdle(Window); }

    e2e::Application App;
    HWND Window;

    // Types each box's text over what it holds.
    void Fill(const Entries& entries) const;
    Entries Shown() const;
    void Press(int button) const { e2e::Click(e2e::Control(Window, button)); }
    // Waits for the message box, returns its text and answers OK.
    std::wstring AnswerMessage() const { return e2e::AnswerMessageBox(App.WaitForWindow(MessageTitle), IDOK); }
    // The colour of the box's text on the screen: of the pixels inside its
    // border, the one farthest from the background (the core of a stroke,
    // whatever smoothing the glyph edges get). The box must hold some text.
    COLORREF TextColour(int box) const;
};

}  // namespace ratiolo
