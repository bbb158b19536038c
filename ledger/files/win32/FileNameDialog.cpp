#include "ledger/files/win32/FileNameDialog.h"

#include "common/platform/TextConversions.h"
#include "common/win32/ModalDialog.h"
#include "common/win32/UserMessages.h"
#include "common/win32/WindowLook.h"
#include "ledger/CofreloIds.h"
#include "ledger/files/LedgerFile.h"

namespace cofrelo {

namespace {

using namespace common;

constexpr int FileNameFontPoints = 10;

// The label over the name box, across the dialog; "Aceptar" below them.
constexpr int DialogWidth = 165;
constexpr Box NameLabelBox{Margin, Margin, DialogWidth - 2 * Margin, LineHeight};
constexpr Box NameBox{Margin, NameLabelBox.Bottom(), NameLabelBox.Width, LineHeight};
constexpr Box AcceptBox{Margin, NameBox.Bottom() + 2 * Margin, 50, LineHeight};

DialogTemplate FileNameDialogTemplate()
{
    DialogTemplate dialog(FileNameDialogTitle, OwnedDialogStyle, 0, WindowFrame(DialogWidth, 67));
    dialog.AddEditBox(NameBoxId, NameBox);
    dialog.AddLabel(NameLabelId, L"Nombre del fichero sin extension", NameLabelBox);
    dialog.AddButton(NameAcceptButtonId, L"Aceptar", AcceptBox);
    return dialog;
}

class FileNameDialog final : public ModalDialog {
public:
    explicit FileNameDialog(std::string_view shown) : ModalDialog(Closing::CloseCommandEnds), shown_(shown) {}

    const std::optional<std::string>& Stored() const { return stored_; }

private:
    void OnInit(HWND dialog) override
    {
        font_ = CreateBoldSansSerifFont(FileNameFontPoints);
        SetFontOnControls(dialog, font_.get());
        SetDlgItemTextW(dialog, NameBoxId, ShownWideFromUtf8(shown_).c_str());
    }

    // The name is stored before it is checked, so an empty box empties it.
    void OnClick(HWND dialog, int control) override
    {
        if (control != NameAcceptButtonId) return;
        stored_ = LedgerFileNameFromTyped(Utf8FromWide(WindowTextOf(GetDlgItem(dialog, NameBoxId))));
        if (!stored_->empty()) return End(dialog);
        // Owned by the dialog, so that "Aceptar" cannot be clicked again meanwhile.
        TellUser(dialog, MessageTitle, "Tienes que escribir un nombre de fichero ...");
    }

    std::string shown_;
    std::optional<std::string> stored_;
    FontHandle font_;  // made once the controls exist, freed after they are gone
};

}  // namespace

std::optional<std::string> ShowFileNameDialog(HWND owner, std::string_view shown)
{
    FileNameDialog dialog(shown);
    dialog.Run(FileNameDialogTemplate(), owner);
    return dialog.Stored();
}

}  // namespace cofrelo
