#include "ledger/data/win32/InsertMovementDialog.h"

#include "common/platform/TextConversions.h"
#include "common/win32/ModalDialog.h"
#include "common/win32/UserMessages.h"
#include "common/win32/WindowLook.h"
#include "ledger/CofreloIds.h"

#include <commctrl.h>

#include <optional>
#include <string>

namespace cofrelo {

namespace {

using namespace common;

constexpr int DialogFontPoints = 10;

// Three columns on the first two lines, each a label over its box: the date,
// the description and the amount. Below the date, the kinds in their group,
// one line apart; then the two buttons.
constexpr Box DatePickerBox{Margin, Margin + LineHeight, 105, LineHeight};
constexpr Box DescriptionBox{DatePickerBox.Right(), DatePickerBox.Y, 145, LineHeight};
constexpr Box AmountBox{DescriptionBox.Right() + 1, DatePickerBox.Y, 154, LineHeight};
constexpr Box KindGroupBox{Margin, DatePickerBox.Bottom() + Margin, 120, 70};
constexpr int OptionIndent = 10, FirstOptionTop = KindGroupBox.Y + 20;
constexpr int ButtonTop = KindGroupBox.Bottom() + 6, ButtonWidth = 55, AcceptLeft = 250;

// A label on the first line, over its box and `indent` to its right.
constexpr Box LabelOver(const Box& box, int indent, int width, int height = LineHeight)
{
    return {box.X + indent, Margin, width, height};
}

constexpr Box Option(int line, int width)
{
    return {KindGroupBox.X + OptionIndent, FirstOptionTop + line * LineHeight, width, LineHeight};
}

DialogTemplate InsertDialogTemplate()
{
    DialogTemplate dialog(InsertDialogTitle, OwnedDialogStyle | WS_VISIBLE | WS_CLIPSIBLINGS,
                          WS_EX_CONTROLPARENT | WS_EX_TOPMOST, WindowFrame(411, 147));
    dialog.AddLabel(DateLabelId, L"Fecha del movimiento", LabelOver(DatePickerBox, 0, DatePickerBox.Width));
    dialog.AddDatePicker(DatePickerId, L"SysDateTimePick32_1", DatePickerBox);
    dialog.AddLabel(DescriptionLabelId, L"Descripcion del movimiento", LabelOver(DescriptionBox, 5, 138));
    dialog.AddEditBox(DescriptionBoxId, DescriptionBox);
    dialog.AddEditBox(AmountBoxId, AmountBox);
    dialog.AddLabel(AmountLabelId, L"Importe", LabelOver(AmountBox, 1, 54, LineHeight - 1));
    dialog.AddOptionButton(SavingOptionId, L"Ahorro", Option(0, 55));
    dialog.AddOptionButton(ExpenseOptionId, L"Gasto", Option(1, 55));
    dialog.AddGroupBox(KindGroupId, L"Opcion del movimiento", KindGroupBox);
    dialog.AddButton(InsertCancelButtonId, L"Cancelar", {Margin, ButtonTop, ButtonWidth, LineHeight});
    dialog.AddButton(InsertAcceptButtonId, L"Aceptar", {AcceptLeft, ButtonTop, ButtonWidth, LineHeight});
    dialog.AddOptionButton(CommentOptionId, L"Comentario", Option(2, 75));
    return dialog;
}

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

// The line as typed, its texts in the ANSI code page. The description, the
// user's own writing, must have an exact form there: none otherwise, for the
// record would hold "?" or a look-alike instead. The amount and the date take
// the system's usual conversion: a look-alike digit is a digit, anything else
// fails the amount's own check, and the date picker writes the date in the
// user's format, whatever its letters.
std::optional<NewLine> TypedLine(HWND dialog, MovementKind kind)
{
    const std::optional<std::string> description =
        ExactAnsiFromWide(WindowTextOf(GetDlgItem(dialog, DescriptionBoxId)));
    if (!description) return std::nullopt;
    return NewLine{kind, AnsiWindowTextOf(GetDlgItem(dialog, DatePickerId)), *description,
                   AnsiWindowTextOf(GetDlgItem(dialog, AmountBoxId)).substr(0, AmountTextWidth)};
}

class InsertDialog final : public ModalDialog {
public:
    InsertDialog(const Ledger& ledger, MovementKind preselected)
        : ModalDialog(Closing::OwnButtonsOnly), ledger_(ledger), choice_{preselected, std::nullopt}
    {
    }

    InsertChoice Choice() const { return choice_; }

private:
    void OnInit(HWND dialog) override
    {
        font_ = CreateBoldSansSerifFont(DialogFontPoints);
        SetFontOnControls(dialog, font_.get());
        CheckRadioButton(dialog, SavingOptionId, CommentOptionId, OptionOf(choice_.Kind));
        SelectKind(dialog, choice_.Kind);
    }

    void OnClick(HWND dialog, int control) override
    {
        switch (control) {
        case SavingOptionId:
        case ExpenseOptionId:
        case CommentOptionId:
            if (IsDlgButtonChecked(dialog, control) == BST_CHECKED) SelectKind(dialog, KindOfOption(control));
            break;
        case InsertCancelButtonId: End(dialog); break;
        case InsertAcceptButtonId: Accept(dialog); break;
        default: break;
        }
    }

    void SelectKind(HWND dialog, MovementKind kind)
    {
        choice_.Kind = kind;
        // A comment has no amount; what the box holds stays in it.
        EnableWindow(GetDlgItem(dialog, AmountBoxId), kind != MovementKind::Comment);
    }

    void Accept(HWND dialog)
    {
        const std::optional<NewLine> line = TypedLine(dialog, choice_.Kind);
        if (!line)
            return TellUser(dialog, MessageTitle,
                            "El texto tiene letras que no caben en el juego de caracteres de Windows ...");
        const LineRefusal refusal = ledger_.Check(*line);
        if (refusal != LineRefusal::None) {
            TellUser(dialog, MessageTitle, RefusalText(refusal));
            if (refusal == LineRefusal::LedgerFull) End(dialog);
            return;
        }
        choice_.Line = *line;
        End(dialog);
    }

    const Ledger& ledger_;
    InsertChoice choice_;
    FontHandle font_;  // made once the controls exist, freed after they are gone
};

}  // namespace

InsertChoice ShowInsertMovementDialog(HWND owner, const Ledger& ledger, MovementKind preselected)
{
    InsertDialog dialog(ledger, preselected);
    dialog.Run(InsertDialogTemplate(), owner);
    return dialog.Choice();
}

}  // namespace cofrelo
