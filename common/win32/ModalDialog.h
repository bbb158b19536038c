// Running a window of either program: the modal runner every dialog uses, and
// the answers every window gives alike (focus kept across deactivation, close
// requests, the end of the session).
#pragma once

#include "common/win32/DialogTemplate.h"

#include <windows.h>

#include <optional>

namespace common {

// How a window takes the requests to close it.
enum class Closing {
    // A program's own window: the close command and a bare WM_CLOSE (taskkill,
    // "End task", the Restart Manager) end it, and with it the program.
    EndsProgram,
    // The close command (close box, Alt+F4, the system menu) ends it; a bare
    // WM_CLOSE does not, for a multi-line edit box sends one on Esc.
    CloseCommandEnds,
    // Only its own buttons end it, so typed texts survive Alt+F4.
    OwnButtonsOnly,
};

// What every window of both programs answers alike, before its own handling:
// it keeps the keyboard focus across deactivation in savedFocus; the close
// requests act as `closing` says, ending the window with `end`; it agrees to
// the end of the session, and when the session does end the program ends at
// once with exit code 0, whatever dialog or message box is open: between two
// messages no file is open and nothing is left unwritten. The window
// procedure's answer for those messages; none for any other.
std::optional<INT_PTR> SharedAnswer(HWND window, UINT message, WPARAM wParam, HWND& savedFocus, Closing closing,
                                    void (*end)(HWND));

// A modal dialog of either program: the kit runs it, the dialog supplies what
// is its own. What the user chose stays in the dialog object, for its typed
// entry point to return.
class ModalDialog {
public:
    virtual ~ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    // Runs the dialog modally to owner (none: a window of its own) until it
    // ends. False when the system could not create it; the user has been told
    // why, in a message titled with the dialog's caption.
    bool Run(const DialogTemplate& dialogTemplate, HWND owner);

protected:
    explicit ModalDialog(Closing closing) : closing_(closing) {}

    // The controls exist: fonts, texts and checks go on them here.
    virtual void OnInit(HWND dialog) = 0;
    // A click on a control, by mouse or keyboard. Enter and Esc arrive as IDOK
    // and IDCANCEL and mean nothing unless the dialog says so.
    virtual void OnClick(HWND dialog, int control) = 0;
    // Any other message the dialog answers itself; none leaves it to the
    // default processing.
    virtual std::optional<INT_PTR> OnMessage(HWND, UINT, WPARAM, LPARAM) { return std::nullopt; }

    // Ends the dialog; what was chosen is kept in the dialog object.
    static void End(HWND dialog) { EndDialog(dialog, 0); }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Answer(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    Closing closing_;
    HWND savedFocus_ = nullptr;
    bool created_ = false;
};

}  // namespace common
