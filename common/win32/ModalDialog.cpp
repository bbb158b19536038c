#include "common/win32/ModalDialog.h"

#include "common/platform/TextConversions.h"
#include "common/win32/UserMessages.h"

namespace common {

namespace {

// The close box, Alt+F4 and the system menu's item; the system uses the low
// four bits of the command itself.
bool IsCloseCommand(UINT message, WPARAM wParam)
{
    return message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE;
}

void KeepFocusAcrossActivation(HWND& savedFocus, WPARAM activating)
{
    if (!activating) {
        savedFocus = GetFocus();
    } else if (savedFocus) {
        SetFocus(savedFocus);
        savedFocus = nullptr;
    }
}

}  // namespace

std::optional<INT_PTR> SharedAnswer(HWND window, UINT message, WPARAM wParam, HWND& savedFocus, Closing closing,
                                    void (*end)(HWND))
{
    if (IsCloseCommand(message, wParam)) {
        if (closing != Closing::OwnButtonsOnly) end(window);
        return TRUE;
    }
    switch (message) {
    case WM_NCACTIVATE:
        KeepFocusAcrossActivation(savedFocus, wParam);
        return FALSE;  // the default activation runs as well
    case WM_CLOSE:
        // Left to the dialog manager, it would become IDCANCEL.
        if (closing == Closing::EndsProgram) end(window);
        return TRUE;
    case WM_QUERYENDSESSION:
        SetWindowLongPtrW(window, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_ENDSESSION:
        // Once this message is answered the system may end the process at any
        // moment; a modal loop further up would keep the program from ending.
        if (wParam) ExitProcess(0);
        return FALSE;
    default:
        return std::nullopt;
    }
}

bool ModalDialog::Run(const DialogTemplate& dialogTemplate, HWND owner)
{
    const INT_PTR ended = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialogTemplate.Get(), owner, Procedure,
                                                  reinterpret_cast<LPARAM>(this));
    if (ended != -1 || created_) return true;
    TellUser(owner, dialogTemplate.Caption(), "No se pudo abrir esta ventana:\r\n" + SystemMessage(GetLastError()));
    return false;
}

// The dialog object travels with WM_INITDIALOG and stays in DWLP_USER; the
// messages that come before it (WM_SETFONT among them) find none.
INT_PTR CALLBACK ModalDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return self ? self->Answer(dialog, message, wParam, lParam) : FALSE;
}

INT_PTR ModalDialog::Answer(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        created_ = true;
        OnInit(dialog);
        return TRUE;  // the dialog manager gives the focus to the first tab stop
    }
    if (const auto answer = SharedAnswer(dialog, message, wParam, savedFocus_, closing_, End)) return *answer;
    if (message == WM_COMMAND) {
        // Codes 0 and 1 are a click and its keyboard accelerator; an edit box's
        // notifications are higher.
        if (HIWORD(wParam) <= 1) OnClick(dialog, LOWORD(wParam));
        return FALSE;
    }
    return OnMessage(dialog, message, wParam, lParam).value_or(FALSE);
}

}  // namespace common
