#include "calculator/win32/CalculatorWindow.h"

#include "calculator/CalculatorCore.h"
#include "calculator/RatioloIds.h"
#include "common/win32/AnsiText.h"
#include "common/win32/DialogTemplate.h"

#include <array>
#include <string>
#include <string_view>

namespace {

using namespace ratiolo;

// The boxes in the order "Calcular" reads them and "Borrar" clears them.
constexpr std::array<int, 3> BoxIds = {GrossBoxId, PercentageBoxId, ResultBoxId};
constexpr std::array<int, 4> LabelIds = {GrossLabelId, PercentageLabelId, ResultLabelId, HelpLabelId};

constexpr int LabelFontPoints = 8;

constexpr DWORD WindowStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;
constexpr DWORD LabelStyle = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD BoxStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
constexpr DWORD ButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

constexpr std::wstring_view HelpText =
    L"Tienes que rellenar 2 de los 3 "
    L"datos y el que falta se rellena al pulsar el boton de 'calcular' "
    L"automaticamente. Es sobre porcentajes .... Acepta decimales con punto \".\" ";
static_assert(HelpText.size() == 170);

constexpr COLORREF ComputedTextColour = RGB(255, 0, 0);
constexpr COLORREF PlainTextColour = RGB(0, 0, 0);

// The program-wide state of Ratiolo, kept in the window's DWLP_USER.
struct Calculator {
    HWND CalculatorWindow = nullptr;
    CalculatorValues Values;  // GrossAmount, Percentage, ResultAmount
    MissingValue CalcCase = MissingValue::NoValidCombination;
    HWND SavedFocus = nullptr;
    // The window draws with these until it is destroyed; ShowCalculator's
    // Calculator outlives it.
    FontHandle LabelFont;
    WindowIcons Icons;
    std::array<COLORREF, BoxIds.size()> BoxTextColours{};  // in the order of BoxIds; all black at start
};

void AddLabel(DialogTemplate& dialog, WORD id, std::wstring_view text, short x, short y, short width, short height)
{
    dialog.AddControl(L"STATIC", text, id, x, y, width, height, LabelStyle);
}

void AddBox(DialogTemplate& dialog, WORD id, short y)
{
    dialog.AddControl(L"EDIT", L"", id, 65, y, 75, 15, BoxStyle, WS_EX_CLIENTEDGE);
}

void AddButton(DialogTemplate& dialog, WORD id, std::wstring_view text, short x)
{
    dialog.AddControl(L"BUTTON", text, id, x, 70, 40, 15, ButtonStyle);
}

// The controls in creation order, which is also the tab order; on the screen
// the buttons stand "Calcular", "Borrar", "Salir".
DialogTemplate CalculatorTemplate()
{
    DialogTemplate dialog(CalculatorTitle, WindowStyle, 0, 70, 70, 145, 147);
    AddLabel(dialog, GrossLabelId, L"Cantidad bruta", 5, 7, 60, 10);
    AddBox(dialog, GrossBoxId, 5);
    AddLabel(dialog, PercentageLabelId, L"Porcentaje", 5, 28, 60, 10);
    AddBox(dialog, PercentageBoxId, 26);
    AddLabel(dialog, ResultLabelId, L"Resultante", 5, 50, 60, 10);
    AddBox(dialog, ResultBoxId, 48);
    AddButton(dialog, CalculateButtonId, L"Calcular", 5);
    AddButton(dialog, ExitButtonId, L"Salir", 99);
    AddButton(dialog, ClearButtonId, L"Borrar", 52);
    AddLabel(dialog, HelpLabelId, HelpText, 5, 90, 135, 55);
    return dialog;
}

std::size_t BoxIndex(int boxId)
{
    for (std::size_t i = 0; i < BoxIds.size(); ++i)
        if (BoxIds[i] == boxId) return i;
    return 0;
}

// The box a computed value is written to.
int BoxOf(MissingValue computed)
{
    if (computed == MissingValue::GrossAmount) return GrossBoxId;
    if (computed == MissingValue::Percentage) return PercentageBoxId;
    return ResultBoxId;
}

std::string BoxText(HWND window, int boxId)
{
    return AnsiWindowTextOf(GetDlgItem(window, boxId));
}

void SetBoxText(HWND window, int boxId, std::string_view text)
{
    SetDlgItemTextW(window, boxId, WideFromAnsi(text).c_str());
}

void SetBoxTextColour(Calculator& calculator, int boxId, COLORREF colour)
{
    calculator.BoxTextColours[BoxIndex(boxId)] = colour;
    InvalidateRect(GetDlgItem(calculator.CalculatorWindow, boxId), nullptr, TRUE);
}

void SetAllBoxTextColours(Calculator& calculator, COLORREF colour)
{
    for (int boxId : BoxIds) SetBoxTextColour(calculator, boxId, colour);
}

void Calculate(Calculator& calculator)
{
    const HWND window = calculator.CalculatorWindow;
    calculator.Values = {ReadNumber(BoxText(window, GrossBoxId)), ReadNumber(BoxText(window, PercentageBoxId)),
                         ReadNumber(BoxText(window, ResultBoxId))};
    calculator.CalcCase = CompleteValues(calculator.Values);
    if (calculator.CalcCase == MissingValue::NoValidCombination) {
        SetAllBoxTextColours(calculator, PlainTextColour);
        // Without owner, like every message of both programs: the window stays enabled.
        MessageBoxW(nullptr, L"Tienes que rellenar solo dos datos ...", MessageTitle, 0);
        return;
    }
    const int boxId = BoxOf(calculator.CalcCase);
    SetBoxTextColour(calculator, boxId, ComputedTextColour);
    SetBoxText(window, boxId, ComputedText(calculator.CalcCase, calculator.Values));
}

// The numeric values stay: the next "Calcular" reads the boxes again anyway.
void ClearBoxes(Calculator& calculator)
{
    for (int boxId : BoxIds) SetDlgItemTextW(calculator.CalculatorWindow, boxId, L"");
    SetAllBoxTextColours(calculator, PlainTextColour);
}

void OnCommand(Calculator& calculator, WORD id, WORD notification)
{
    // 0 is a click, 1 an accelerator; an edit box's notifications are higher.
    if (notification > 1) return;
    switch (id) {
    case CalculateButtonId:
        Calculate(calculator);
        break;
    case ExitButtonId:
        EndDialog(calculator.CalculatorWindow, 0);
        break;
    case ClearButtonId:
        ClearBoxes(calculator);
        break;
    default:
        break;  // IDOK (Enter) and IDCANCEL (Esc) included
    }
}

// A dialog procedure colours an edit box by returning the background brush
// itself; the system's window-colour brush is shared and never deleted.
INT_PTR ColourBox(const Calculator& calculator, HDC dc, HWND box)
{
    SetTextColor(dc, calculator.BoxTextColours[BoxIndex(GetDlgCtrlID(box))]);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
}

// The boxes and buttons keep the template's font; only the labels get this one.
void GiveLabelsTheirFont(Calculator& calculator)
{
    calculator.LabelFont = CreateBoldSansSerifFont(LabelFontPoints);
    for (int labelId : LabelIds)
        SendDlgItemMessageW(calculator.CalculatorWindow, labelId, WM_SETFONT,
                            reinterpret_cast<WPARAM>(calculator.LabelFont.get()), FALSE);
}

// The controls exist by now, so the label font can be made for them.
INT_PTR OnInitDialog(HWND window, Calculator& calculator)
{
    calculator.CalculatorWindow = window;
    calculator.Icons = SetWindowIcons(window, IconResourceId);
    GiveLabelsTheirFont(calculator);
    return TRUE;  // the dialog manager gives the focus to the first tab stop, box 1002
}

INT_PTR CALLBACK CalculatorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* calculator = DialogStateOf<Calculator>(window, message, lParam);
    if (!calculator) return FALSE;
    if (message == WM_INITDIALOG) return OnInitDialog(window, *calculator);

    // The system's close ends the window, as "Salir" does.
    if (const auto answer =
            SharedDialogAnswer(window, message, wParam, calculator->SavedFocus, SystemClose::EndsDialog))
        return *answer;
    switch (message) {
    case WM_COMMAND:
        OnCommand(*calculator, LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_CTLCOLOREDIT:
        return ColourBox(*calculator, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    default:
        break;
    }
    return FALSE;
}

}  // namespace

int ShowCalculator(HWND owner)
{
    const DialogTemplate dialog = CalculatorTemplate();
    Calculator calculator;
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), owner, CalculatorProc,
                                                   reinterpret_cast<LPARAM>(&calculator));
    return static_cast<int>(result);
}
