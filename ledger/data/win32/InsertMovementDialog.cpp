#include "data/win32/InsertMovementDialog.h"

#include "common/win32/AnsiText.h"
#include "common/win32/DialogTemplate.h"
#include "ledger/CofreloIds.h"
#include "shell/MessageBoxDialogue.h"

#include <commctrl.h>

#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace cofrelo;

constexpr int DialogFontPoints = 10;

struct InsertDialogState {
    Ledger& ledger;
    MovementKind& kindChoice;
    FontHandle font;
    bool appended = false;
    HWND savedFocus = nullptr;
};

int OptionOf(MovementKind kind)
{
    switch (kind) {
    case MovementKind::Expense: return ExpenseOptionId;
    case MovementKind::Comment: return CommentOptionId;
    default: return SavingOptionId;
    }
}

MovementKind KindOfOption(int option)
{
    switch (option) {
    case ExpenseOptionId: return MovementKind::Expense;
    case CommentOptionId: return MovementKind::Comment;
    default: return MovementKind::Saving;
    }
}

std::string_view RefusalText(LineRefusal refusal)
{
    switch (refusal) {
    case LineRefusal::NotDigits:
        return "Tienes que escribir solo numeros, y decimales, es un punto \".\" \r\nGRACIAS !!!";
    case LineRefusal::OutOfRange:
        return "maximo permitido 1.000.000.000'00\r\nminimo permitido 0";
    case LineRefusal::ExpenseAboveBalance:
        return "No podemos quitar mas de lo que tenemos ...";
    case LineRefusal::LedgerFull:
        return "Memoria llena ...\r\nSintiendolo mucho NO puedo insertar mas ...";
    default:
        return {};
    }
}

DialogTemplate BuildInsertDialogTemplate()
{
    constexpr DWORD Label = WS_CHILD | WS_VISIBLE | SS_LEFT;
    constexpr DWORD Box = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
    constexpr DWORD Option = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;
    constexpr DWORD Button = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    // Every line of the dialog is this high; the options stand one line apart.
    constexpr short LineHeight = 15;
    constexpr short OptionX = 15, FirstOptionY = 60, OptionWidth = 55, ButtonWidth = 55, ButtonY = 116;

    DialogTemplate dialog(InsertDialogTitle, OwnedDialogStyle | WS_VISIBLE | WS_CLIPSIBLINGS,
                          WS_EX_CONTROLPARENT | WS_EX_TOPMOST, 70, 70, 411, 147);
    dialog.AddControl(L"STATIC", L"Fecha del movimiento", DateLabelId, 5, 5, 105, LineHeight, Label);
    dialog.AddControl(DATETIMEPICK_CLASSW, L"SysDateTimePick32_1", DatePickerId, 5, 20, 105, LineHeight,
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE);
    dialog.AddControl(L"STATIC", L"Descripcion del movimiento", DescriptionLabelId, 115, 5, 138, LineHeight, Label);
    dialog.AddControl(L"EDIT", L"", DescriptionBoxId, 110, 20, 145, LineHeight, Box, WS_EX_CLIENTEDGE);
    dialog.AddControl(L"EDIT", L"", AmountBoxId, 256, 20, 154, LineHeight, Box, WS_EX_CLIENTEDGE);
    dialog.AddControl(L"STATIC", L"Importe", AmountLabelId, 257, 5, 54, 14, Label);
    dialog.AddControl(L"BUTTON", L"Ahorro", SavingOptionId, OptionX, FirstOptionY, OptionWidth, LineHeight, Option);
    dialog.AddControl(L"BUTTON", L"Gasto", ExpenseOptionId, OptionX, FirstOptionY + LineHeight, OptionWidth,
                      LineHeight, Option);
    dialog.AddControl(L"BUTTON", L"Opcion del movimiento", KindGroupId, 5, 40, 120, 70,
                      WS_CHILD | WS_VISIBLE | BS_GROUPBOX);
    dialog.AddControl(L"BUTTON", L"Cancelar", InsertCancelButtonId, 5, ButtonY, ButtonWidth, LineHeight, Button);
    dialog.AddControl(L"BUTTON", L"Aceptar", InsertAcceptButtonId, 250, ButtonY, ButtonWidth, LineHeight, Button);
    dialog.AddControl(L"BUTTON", L"Comentario", CommentOptionId, OptionX, FirstOptionY + 2 * LineHeight, 75, LineHeight,
                      Option);
    return dialog;
}

void SelectKind(HWND dialog, InsertDialogState& state, MovementKind kind)
{
    state.kindChoice = kind;
    // A comment has no amount; what the box holds stays in it.
    EnableWindow(GetDlgItem(dialog, AmountBoxId), kind != MovementKind::Comment);
}

void OnInitDialog(HWND dialog, InsertDialogState& state)
{
    SetFontOnControls(dialog, state.font.get());
    CheckRadioButton(dialog, SavingOptionId, CommentOptionId, OptionOf(state.kindChoice));
    SelectKind(dialog, state, state.kindChoice);
}

void OnOptionClicked(HWND dialog, InsertDialogState& state, int option)
{
    if (IsDlgButtonChecked(dialog, option) == BST_CHECKED) SelectKind(dialog, state, KindOfOption(option));
}

// The texts as stored: control texts in the ANSI code page, cut to their
// fields; none when a character has no exact form in the code page.
std::optional<std::string> FieldTextOf(HWND dialog, int control, std::size_t width)
{
    std::optional<std::string> text = ExactAnsiFromWide(WindowTextOf(GetDlgItem(dialog, control)));
    if (text && text->size() > width) text->resize(width);
    return text;
}

// The record would hold "?" or a look-alike instead: the user decides what to write.
void RefuseUnstorableText(HWND dialog)
{
    TellUser(dialog, "El texto tiene letras que no caben en el juego de caracteres de Windows ...");
}

void OnAccept(HWND dialog, InsertDialogState& state)
{
    const std::optional<std::string> description = FieldTextOf(dialog, DescriptionBoxId, DescriptionWidth);
    const std::optional<std::string> amount = FieldTextOf(dialog, AmountBoxId, AmountTextWidth);
    const std::optional<std::string> date = FieldTextOf(dialog, DatePickerId, DateTextWidth);
    if (!description || !amount || !date) return RefuseUnstorableText(dialog);

    const LineRefusal refusal = CheckNewLine(state.ledger, state.kindChoice, *amount);
    if (refusal != LineRefusal::None) {
        TellUser(dialog, RefusalText(refusal));
        if (refusal == LineRefusal::LedgerFull) EndDialog(dialog, 0);
        return;
    }
    AppendNewLine(state.ledger, state.kindChoice, *date, *description, *amount);
    state.appended = true;
    EndDialog(dialog, 0);
}

void OnCommand(HWND dialog, InsertDialogState& state, WORD control, WORD notification)
{
    // Only clicks, by mouse or keyboard; Enter and Esc (IDOK, IDCANCEL) do nothing.
    if (notification > 1) return;
    switch (control) {
    case SavingOptionId:
    case ExpenseOptionId:
    case CommentOptionId: OnOptionClicked(dialog, state, control); break;
    case InsertCancelButtonId: EndDialog(dialog, 0); break;
    case InsertAcceptButtonId: OnAccept(dialog, state); break;
    default: break;
    }
}

INT_PTR CALLBACK InsertMovementDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = DialogStateOf<InsertDialogState>(dialog, message, lParam);
    if (!state) return FALSE;
    if (message == WM_INITDIALOG) {
        OnInitDialog(dialog, *state);
        return TRUE;
    }
    // Only "Cancelar", an insertion or a full table end it, so typed texts
    // survive Alt+F4.
    if (const auto answer = SharedDialogAnswer(dialog, message, wParam, state->savedFocus, SystemClose::Ignored))
        return *answer;
    if (message == WM_COMMAND) OnCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam));
    return FALSE;
}

}  // namespace

bool ShowInsertMovementDialog(HWND owner, Ledger& ledger, MovementKind& kindChoice)
{
    const DialogTemplate dialog = BuildInsertDialogTemplate();
    InsertDialogState state{ledger, kindChoice, CreateBoldSansSerifFont(DialogFontPoints)};
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), owner, InsertMovementDialogProc,
                            reinterpret_cast<LPARAM>(&state));
    return state.appended;
}
