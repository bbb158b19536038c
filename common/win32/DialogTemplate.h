// In-memory dialog templates, the way every window of both programs is built.
// Geometry is in dialog units of the template font, "MS Sans Serif" 8-point
// bold, the same in every window.
#pragma once

#include "common/win32/Handles.h"

#include <windows.h>

#include <optional>
#include <string_view>
#include <vector>

// Dialogs that run modally to an owner window: a caption without a system
// menu. DS_ABSALIGN keeps the template's position measured from the screen's
// corner; an owner would otherwise make it relative to its client area.
inline constexpr DWORD OwnedDialogStyle =
    WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK | DS_ABSALIGN;

class DialogTemplate {
public:
    // style should hold DS_SETFONT: the template always names its font.
    DialogTemplate(std::wstring_view caption, DWORD style, DWORD exStyle, short x, short y, short width,
                   short height);

    // Controls are created in the order they are added, which is also the tab order.
    void AddControl(std::wstring_view className, std::wstring_view text, WORD id, short x, short y, short width,
                    short height, DWORD style, DWORD exStyle = 0);

    // Valid until the next AddControl.
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

private:
    void AppendWord(WORD value);
    void AppendDword(DWORD value);
    void AppendString(std::wstring_view text);
    void AlignTo(std::size_t boundary);

    // WORD storage keeps the whole template WORD-aligned, as Windows requires;
    // items are additionally aligned to DWORDs.
    std::vector<WORD> bytes_;
    std::size_t countOffset_ = 0;
};

// "MS Sans Serif" bold at the given size in points, as every window of both
// programs creates for its controls once they exist. It must outlive them.
FontHandle CreateBoldSansSerifFont(int points);

// The state a dialog procedure works on: the pointer handed over with
// WM_INITDIALOG, kept in the dialog's DWLP_USER. Null for the messages that
// arrive before WM_INITDIALOG (WM_SETFONT among them).
template <class State>
State* DialogStateOf(HWND dialog, UINT message, LPARAM lParam)
{
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    return reinterpret_cast<State*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// Gives the font to every control of the dialog.
void SetFontOnControls(HWND dialog, HFONT font);

// The focus-keeping idiom of every window: on deactivation (WM_NCACTIVATE with
// wParam 0) remember the focused control, on reactivation give it the focus
// back. The caller still lets the default processing run.
void KeepFocusAcrossActivation(HWND& savedFocus, WPARAM activating);

// Whether the message is the system's close command: the close box, Alt+F4 or
// the system menu's close item (WM_SYSCOMMAND with SC_CLOSE; the system uses
// the low four bits of the command itself).
bool IsSystemClose(UINT message, WPARAM wParam);

// What the system's close command does to a modal dialog.
enum class SystemClose { EndsDialog, Ignored };

// What every modal dialog of both programs answers alike: it keeps the focus
// across activation; the system's close command ends it with 0 or is ignored,
// as onClose says; WM_CLOSE does nothing -- a multi-line edit box sends it on
// Esc, and the dialog manager would turn it into IDCANCEL. The dialog
// procedure's answer for those messages; none for any other.
std::optional<INT_PTR> SharedDialogAnswer(HWND dialog, UINT message, WPARAM wParam, HWND& savedFocus,
                                          SystemClose onClose);
