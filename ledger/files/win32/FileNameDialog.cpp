#include "files/win32/FileNameDialog.h"

#include "common/win32/AnsiText.h"
#include "common/win32/DialogTemplate.h"
#include "files/LedgerFile.h"
#include "ledger/CofreloIds.h"
#include "shell/MessageBoxDialogue.h"

namespace {

using namespace cofrelo;

constexpr int FileNameFontPoints = 10;

// Travels with the dialog as its DWLP_USER value.
struct FileNameDialogData {
    std::string& LedgerFileName;
    HWND SavedFocus = nullptr;
    FontHandle FileNameFont;  // made once the controls exist, freed after they are gone
};

DialogTemplate FileNameDialogTemplate()
{
    DialogTemplate dialog(FileNameDialogTitle, OwnedDialogStyle, 0, 70, 70, 165, 67);
    dialog.AddControl(L"EDIT", L"", NameBoxId, 5, 20, 155, 15,
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
    dialog.AddControl(L"STATIC", L"Nombre del fichero sin extension", NameLabelId, 5, 5, 155, 15,
                      WS_CHILD | WS_VISIBLE | SS_LEFT);
    dialog.AddControl(L"BUTTON", L"Aceptar", NameAcceptButtonId, 5, 45, 50, 15,
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON);
    return dialog;
}

void OnInitDialog(HWND dialog, FileNameDialogData& data)
{
    // The controls exist by now; the font must outlive them.
    data.FileNameFont = CreateBoldSansSerifFont(FileNameFontPoints);
    SetFontOnControls(dialog, data.FileNameFont.get());
    SetDlgItemTextW(dialog, NameBoxId, ShownWideFromUtf8(data.LedgerFileName).c_str());
}

// The name is stored before it is checked, so an empty box empties it.
void OnAccept(HWND dialog, FileNameDialogData& data)
{
    data.LedgerFileName = LedgerFileNameFromTyped(Utf8FromWide(WindowTextOf(GetDlgItem(dialog, NameBoxId))));
    if (!data.LedgerFileName.empty()) {
        EndDialog(dialog, 0);
        return;
    }
    // Owned by the dialog, so that "Aceptar" cannot be clicked again meanwhile.
    TellUser(dialog, "Tienes que escribir un nombre de fichero ...");
}

INT_PTR CALLBACK FileNameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    FileNameDialogData* data = DialogStateOf<FileNameDialogData>(dialog, message, lParam);
    if (!data) return FALSE;
    if (message == WM_INITDIALOG) {
        OnInitDialog(dialog, *data);
        return TRUE;  // the focus goes to the name box: the user types straight away
    }
    // The system's close ends the dialog with the name untouched.
    if (const auto answer = SharedDialogAnswer(dialog, message, wParam, data->SavedFocus, SystemClose::EndsDialog))
        return *answer;
    // Notification codes 0 and 1 are a click and its keyboard accelerator.
    if (message == WM_COMMAND && LOWORD(wParam) == NameAcceptButtonId && HIWORD(wParam) <= 1) OnAccept(dialog, *data);
    return FALSE;
}

}  // namespace

void AskFileName(HWND owner, std::string& ledgerFileName)
{
    FileNameDialogData data{ledgerFileName, nullptr, nullptr};
    const DialogTemplate dialog = FileNameDialogTemplate();
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), owner, FileNameDialogProc,
                            reinterpret_cast<LPARAM>(&data));
}
