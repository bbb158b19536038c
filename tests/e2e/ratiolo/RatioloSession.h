// One run of Ratiolo as its end-to-end tests work it: the program started in a
// fresh folder, its window, and what a user does with the three boxes.
#pragma once

#include "Application.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace ratiolo {

// The program under test, from the command line.
extern std::wstring ProgramPath;

enum Box : int { GrossBox = 1002, PercentageBox = 1004, ResultBox = 1006 };
enum Button : int { CalculateButton = 1007, ExitButton = 1008, ClearButton = 1010 };

inline constexpr Box Boxes[] = {GrossBox, PercentageBox, ResultBox};

inline constexpr wchar_t WindowCaption[] = L"Porcentaje ....";
inline constexpr wchar_t MessageTitle[] = L"...";
inline constexpr wchar_t TwoValuesMessage[] = L"Tienes que rellenar solo dos datos ...";

inline constexpr COLORREF Red = RGB(255, 0, 0);
inline constexpr COLORREF Black = RGB(0, 0, 0);

// What the three boxes hold, in the order gross amount, percentage, result.
struct Entries {
    std::wstring Gross, Percentage, Result;

    const std::wstring& operator[](Box box) const;
    bool operator==(const Entries&) const = default;
};

class Session {
public:
    Session();

    e2e::Application App;
    HWND Window;

    HWND Control(int id) const;
    // Types each box's text over what it holds.
    void Fill(const Entries& entries) const;
    Entries Shown() const;
    void Press(Button button) const;
    // "Calcular" with the given entries.
    void Calculate(const Entries& entries) const;

    // The message box open now, if any.
    HWND OpenMessage() const { return App.FindWindowByCaption(MessageTitle); }
    // Waits for the message box, returns its text and answers OK.
    std::wstring AnswerMessage() const;

    // The colour of the box's text as the screen shows it: of the pixels
    // inside its border that differ from the background, the one farthest
    // from it (the core of a stroke, whatever smoothing the glyph edges get).
    // The box must hold some text and not have the caret.
    COLORREF TextColour(Box box) const;
};

}  // namespace ratiolo
