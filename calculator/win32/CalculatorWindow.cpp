#include "calculator/win32/CalculatorWindow.h"

#include "calculator/CalculatorCore.h"
#include "calculator/RatioloIds.h"
#include "common/platform/TextConversions.h"
#include "common/win32/ModalDialog.h"
#include "common/win32/UserMessages.h"
#include "common/win32/WindowLook.h"

#include <array>
#include <string>
#include <string_view>

namespace ratiolo {

namespace {

using namespace common;

// The boxes in the order "Calcular" reads them and "Borrar" clears them.
constexpr std::array<int, 3> BoxIds = {GrossBoxId, PercentageBoxId, ResultBoxId};
constexpr std::array<int, 4> LabelIds = {GrossLabelId, PercentageLabelId, ResultLabelId, HelpLabelId};

constexpr int LabelFontPoints = 8;

constexpr std::wstring_view HelpText =
    L"Tienes que rellenar 2 de los 3 "
    L"datos y el que falta se rellena al pulsar el boton de 'calcular' "
    L"automaticamente. Es sobre porcentajes .... Acepta decimales con punto \".\" ";
static_assert(HelpText.size() == 170);

constexpr COLORREF ComputedTextColor = RGB(255, 0, 0);
constexpr COLORREF PlainTextColor = RGB(0, 0, 0);

// Three rows of a label and its box, the label a little lower than the box's
// top; the three buttons on one line below them, and the help text under it.
constexpr int LabelWidth = 60, LabelHeight = 10, LabelDrop = 2, BoxWidth = 75;
constexpr int RowTops[] = {Margin, 26, 48};
constexpr int ButtonTop = 70, ButtonWidth = 40, ButtonGap = 7;

constexpr Box LabelOfRow(int row)
{
    return {Margin, RowTops[row] + LabelDrop, LabelWidth, LabelHeight};
}

constexpr Box BoxOfRow(int row)
{
    return {Margin + LabelWidth, RowTops[row], BoxWidth, LineHeight};
}

// The place of the n-th button from the left.
constexpr Box ButtonAt(int place)
{
    return {Margin + place * (ButtonWidth + ButtonGap), ButtonTop, ButtonWidth, LineHeight};
}

// Created in this order, which is also the tab order; on the screen the
// buttons stand "Calcular", "Borrar", "Salir".
DialogTemplate CalculatorTemplate()
{
    DialogTemplate dialog(CalculatorTitle, WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE |
                                               DS_3DLOOK,
                          0, WindowFrame(145, 147));
    dialog.AddLabel(GrossLabelId, L"Cantidad bruta", LabelOfRow(0));
    dialog.AddEditBox(GrossBoxId, BoxOfRow(0));
    dialog.AddLabel(PercentageLabelId, L"Porcentaje", LabelOfRow(1));
    dialog.AddEditBox(PercentageBoxId, BoxOfRow(1));
    dialog.AddLabel(ResultLabelId, L"Resultante", LabelOfRow(2));
    dialog.AddEditBox(ResultBoxId, BoxOfRow(2));
    dialog.AddButton(CalculateButtonId, L"Calcular", ButtonAt(0));
    dialog.AddButton(ExitButtonId, L"Salir", ButtonAt(2));
    dialog.AddButton(ClearButtonId, L"Borrar", ButtonAt(1));
    dialog.AddLabel(HelpLabelId, HelpText, {Margin, ButtonAt(0).Bottom() + Margin, 135, 55});
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

// Ratiolo's program-wide state: its window and what "Calcular" found.
class Calculator final : public ModalDialog {
public:
    Calculator() : ModalDialog(Closing::EndsProgram) {}

private:
    // The controls exist by now, so the label font can be made for them.
    void OnInit(HWND window) override
    {
        calculatorWindow_ = window;
        icons_ = SetWindowIcons(window, IconResourceId);
        GiveLabelsTheirFont();
    }

    void OnClick(HWND window, int control) override
    {
        switch (control) {
        case CalculateButtonId: Calculate(); break;
        case ExitButtonId: End(window); break;
        case ClearButtonId: ClearBoxes(); break;
        default: break;  // IDOK (Enter) and IDCANCEL (Esc) included
        }
    }

    // A dialog procedure colors an edit box by returning the background brush
    // itself; the system's window-color brush is shared and never deleted.
    std::optional<INT_PTR> OnMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_CTLCOLOREDIT) return std::nullopt;
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, boxTextColors_[BoxIndex(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)))]);
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
    }

    // The boxes and buttons keep the template's font; only the labels get this one.
    void GiveLabelsTheirFont()
    {
        labelFont_ = CreateBoldSansSerifFont(LabelFontPoints);
        for (int labelId : LabelIds)
            SendDlgItemMessageW(calculatorWindow_, labelId, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_.get()),
                                FALSE);
    }

    void Calculate()
    {
        const HWND window = calculatorWindow_;
        values_ = {ReadNumber(BoxText(window, GrossBoxId)), ReadNumber(BoxText(window, PercentageBoxId)),
                   ReadNumber(BoxText(window, ResultBoxId))};
        calcCase_ = CompleteValues(values_);
        if (calcCase_ == MissingValue::NoValidCombination) {
            SetAllBoxTextColors(PlainTextColor);
            // Without owner: the calculator stays usable while the message is up.
            TellUser(nullptr, MessageTitle, "Tienes que rellenar solo dos datos ...");
            return;
        }
        const int boxId = BoxOf(calcCase_);
        SetBoxTextColor(boxId, ComputedTextColor);
        SetBoxText(window, boxId, ComputedText(calcCase_, values_));
    }

    // The numeric values stay: the next "Calcular" reads the boxes again anyway.
    void ClearBoxes()
    {
        for (int boxId : BoxIds) SetDlgItemTextW(calculatorWindow_, boxId, L"");
        SetAllBoxTextColors(PlainTextColor);
    }

    void SetBoxTextColor(int boxId, COLORREF color)
    {
        boxTextColors_[BoxIndex(boxId)] = color;
        InvalidateRect(GetDlgItem(calculatorWindow_, boxId), nullptr, TRUE);
    }

    void SetAllBoxTextColors(COLORREF color)
    {
        for (int boxId : BoxIds) SetBoxTextColor(boxId, color);
    }

    HWND calculatorWindow_ = nullptr;
    CalculatorValues values_;  // GrossAmount, Percentage, ResultAmount
    MissingValue calcCase_ = MissingValue::NoValidCombination;
    std::array<COLORREF, BoxIds.size()> boxTextColors_{};  // in the order of BoxIds; all black at start
    // The window draws with these until it is destroyed.
    FontHandle labelFont_;
    WindowIcons icons_;
};

}  // namespace

bool ShowCalculator(HWND owner)
{
    Calculator calculator;
    return calculator.Run(CalculatorTemplate(), owner);
}

}  // namespace ratiolo
