// In-memory dialog templates, the way every window of both programs is built,
// with one helper per shape of control. Geometry is in dialog units of the
// template font, "MS Sans Serif" 8-point bold, the same in every window.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace common {

// The face of every window's fonts, the template's own included.
inline constexpr std::wstring_view SansSerifFace = L"MS Sans Serif";

// The gaps and heights the windows' layouts share, in dialog units.
inline constexpr int Margin = 5;       // between a window's edge and its first controls
inline constexpr int LineHeight = 15;  // a label, an edit box or a button on one line

// Where a window or a control stands, in dialog units.
struct Box {
    int X;
    int Y;
    int Width;
    int Height;

    constexpr int Right() const { return X + Width; }
    constexpr int Bottom() const { return Y + Height; }
};

// Every window of both programs stands at the same place from the screen's corner.
constexpr Box WindowFrame(int width, int height)
{
    return {70, 70, width, height};
}

// Dialogs that run modally to an owner window: a caption without a system
// menu. DS_ABSALIGN keeps the template's position measured from the screen's
// corner; an owner would otherwise make it relative to its client area.
inline constexpr DWORD OwnedDialogStyle =
    WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK | DS_ABSALIGN;

class DialogTemplate {
public:
    // style should hold DS_SETFONT: the template always names its font.
    DialogTemplate(std::wstring_view caption, DWORD style, DWORD exStyle, Box frame);

    // Controls are created in the order they are added, which is also the tab order.
    void AddLabel(WORD id, std::wstring_view text, Box box);
    // One line that scrolls sideways, with a sunken edge.
    void AddEditBox(WORD id, Box box);
    // Several lines with a horizontal scroll bar, with a sunken edge.
    void AddMultiLineEditBox(WORD id, Box box);
    // A push button; none of the programs' windows has a default button.
    void AddButton(WORD id, std::wstring_view text, Box box);
    // An option of a group that checks itself when clicked.
    void AddOptionButton(WORD id, std::wstring_view text, Box box);
    void AddGroupBox(WORD id, std::wstring_view text, Box box);
    // A bordered face that its dialog paints in one color.
    void AddSwatch(WORD id, Box box);
    // A date picker in the short date format, on today's date.
    void AddDatePicker(WORD id, std::wstring_view text, Box box);
    // A list in report view whose selection stays visible without the focus.
    void AddList(WORD id, std::wstring_view text, Box box);

    // Valid until the next control is added.
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }
    const std::wstring& Caption() const { return caption_; }

private:
    void AddControl(std::wstring_view className, std::wstring_view text, WORD id, Box box, DWORD style,
                    DWORD exStyle = 0);
    void AppendWord(WORD value);
    void AppendDword(DWORD value);
    void AppendString(std::wstring_view text);
    void AlignTo(std::size_t boundary);

    // WORD storage keeps the whole template WORD-aligned, as Windows requires;
    // items are additionally aligned to DWORDs.
    std::vector<WORD> words_;
    std::size_t countOffset_ = 0;
    std::wstring caption_;
};

}  // namespace common
