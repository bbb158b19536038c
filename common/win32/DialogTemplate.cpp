#include "common/win32/DialogTemplate.h"

#include <commctrl.h>

namespace common {

namespace {

constexpr WORD TemplateFontPoints = 8;
constexpr WORD TemplateFontWeight = FW_BOLD;

constexpr DWORD Visible = WS_CHILD | WS_VISIBLE;
constexpr DWORD Sunken = WS_EX_CLIENTEDGE;

}  // namespace

// DLGTEMPLATEEX, field by field; it has no declaration in the SDK headers.
DialogTemplate::DialogTemplate(std::wstring_view caption, DWORD style, DWORD exStyle, Box frame) : caption_(caption)
{
    AppendWord(1);       // dlgVer
    AppendWord(0xFFFF);  // signature: extended template
    AppendDword(0);      // helpID
    AppendDword(exStyle);
    AppendDword(style);
    countOffset_ = words_.size();
    AppendWord(0);  // cDlgItems, counted by AddControl
    AppendWord(static_cast<WORD>(frame.X));
    AppendWord(static_cast<WORD>(frame.Y));
    AppendWord(static_cast<WORD>(frame.Width));
    AppendWord(static_cast<WORD>(frame.Height));
    AppendWord(0);  // no menu
    AppendWord(0);  // the predefined dialog class
    AppendString(caption);
    AppendWord(TemplateFontPoints);
    AppendWord(TemplateFontWeight);
    AppendWord(MAKEWORD(FALSE, ANSI_CHARSET));  // italic, charset
    AppendString(SansSerifFace);
}

void DialogTemplate::AddLabel(WORD id, std::wstring_view text, Box box)
{
    AddControl(L"STATIC", text, id, box, Visible | SS_LEFT);
}

void DialogTemplate::AddEditBox(WORD id, Box box)
{
    AddControl(L"EDIT", L"", id, box, Visible | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, Sunken);
}

void DialogTemplate::AddMultiLineEditBox(WORD id, Box box)
{
    AddControl(L"EDIT", L"", id, box, Visible | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL, Sunken);
}

void DialogTemplate::AddButton(WORD id, std::wstring_view text, Box box)
{
    AddControl(L"BUTTON", text, id, box, Visible | WS_TABSTOP | BS_PUSHBUTTON);
}

void DialogTemplate::AddOptionButton(WORD id, std::wstring_view text, Box box)
{
    AddControl(L"BUTTON", text, id, box, Visible | WS_TABSTOP | BS_AUTORADIOBUTTON);
}

void DialogTemplate::AddGroupBox(WORD id, std::wstring_view text, Box box)
{
    AddControl(L"BUTTON", text, id, box, Visible | BS_GROUPBOX);
}

void DialogTemplate::AddSwatch(WORD id, Box box)
{
    AddControl(L"STATIC", L"", id, box, Visible | WS_BORDER | SS_OWNERDRAW);
}

void DialogTemplate::AddDatePicker(WORD id, std::wstring_view text, Box box)
{
    AddControl(DATETIMEPICK_CLASSW, text, id, box, Visible | WS_TABSTOP, Sunken);
}

void DialogTemplate::AddList(WORD id, std::wstring_view text, Box box)
{
    AddControl(WC_LISTVIEWW, text, id, box, Visible | LVS_REPORT | LVS_SHOWSELALWAYS);
}

void DialogTemplate::AddControl(std::wstring_view className, std::wstring_view text, WORD id, Box box, DWORD style,
                                DWORD exStyle)
{
    AlignTo(sizeof(DWORD));
    AppendDword(0);  // helpID
    AppendDword(exStyle);
    AppendDword(style);
    AppendWord(static_cast<WORD>(box.X));
    AppendWord(static_cast<WORD>(box.Y));
    AppendWord(static_cast<WORD>(box.Width));
    AppendWord(static_cast<WORD>(box.Height));
    AppendDword(id);
    AppendString(className);
    AppendString(text);
    AppendWord(0);  // no creation data
    ++words_[countOffset_];
}

void DialogTemplate::AppendWord(WORD value)
{
    words_.push_back(value);
}

void DialogTemplate::AppendDword(DWORD value)
{
    AppendWord(LOWORD(value));
    AppendWord(HIWORD(value));
}

void DialogTemplate::AppendString(std::wstring_view text)
{
    for (wchar_t c : text) AppendWord(static_cast<WORD>(c));
    AppendWord(0);
}

void DialogTemplate::AlignTo(std::size_t boundary)
{
    while ((words_.size() * sizeof(WORD)) % boundary != 0) AppendWord(0);
}

}  // namespace common
