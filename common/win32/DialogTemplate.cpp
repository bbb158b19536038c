#include "common/win32/DialogTemplate.h"

namespace {

constexpr WORD TemplateFontPoints = 8;
constexpr WORD TemplateFontWeight = FW_BOLD;
constexpr std::wstring_view TemplateFontFace = L"MS Sans Serif";

BOOL CALLBACK SetFontOnControl(HWND control, LPARAM font)
{
    SendMessageW(control, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return TRUE;
}

}  // namespace

// DLGTEMPLATEEX, field by field; it has no declaration in the SDK headers.
DialogTemplate::DialogTemplate(std::wstring_view caption, DWORD style, DWORD exStyle, short x, short y, short width,
                               short height)
{
    AppendWord(1);       // dlgVer
    AppendWord(0xFFFF);  // signature: extended template
    AppendDword(0);      // helpID
    AppendDword(exStyle);
    AppendDword(style);
    countOffset_ = bytes_.size();
    AppendWord(0);  // cDlgItems, counted by AddControl
    AppendWord(static_cast<WORD>(x));
    AppendWord(static_cast<WORD>(y));
    AppendWord(static_cast<WORD>(width));
    AppendWord(static_cast<WORD>(height));
    AppendWord(0);  // no menu
    AppendWord(0);  // the predefined dialog class
    AppendString(caption);
    AppendWord(TemplateFontPoints);
    AppendWord(TemplateFontWeight);
    AppendWord(MAKEWORD(FALSE, ANSI_CHARSET));  // italic, charset
    AppendString(TemplateFontFace);
}

void DialogTemplate::AddControl(std::wstring_view className, std::wstring_view text, WORD id, short x, short y,
                                short width, short height, DWORD style, DWORD exStyle)
{
    AlignTo(sizeof(DWORD));
    AppendDword(0);  // helpID
    AppendDword(exStyle);
    AppendDword(style);
    AppendWord(static_cast<WORD>(x));
    AppendWord(static_cast<WORD>(y));
    AppendWord(static_cast<WORD>(width));
    AppendWord(static_cast<WORD>(height));
    AppendDword(id);
    AppendString(className);
    AppendString(text);
    AppendWord(0);  // no creation data
    ++bytes_[countOffset_];
}

void DialogTemplate::AppendWord(WORD value)
{
    bytes_.push_back(value);
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
    while ((bytes_.size() * sizeof(WORD)) % boundary != 0) AppendWord(0);
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

FontHandle CreateBoldSansSerifFont(int points)
{
    const int pixelsPerInch = GetDeviceCaps(ScreenDc(), LOGPIXELSY);

    LOGFONTW font{};
    font.lfHeight = -(points * pixelsPerInch) / 72;  // character height, truncated as always
    font.lfWeight = FW_BOLD;
    font.lfCharSet = ANSI_CHARSET;
    TemplateFontFace.copy(font.lfFaceName, LF_FACESIZE - 1);
    return FontHandle(CreateFontIndirectW(&font));
}

void SetFontOnControls(HWND dialog, HFONT font)
{
    EnumChildWindows(dialog, SetFontOnControl, reinterpret_cast<LPARAM>(font));
}

bool IsSystemClose(UINT message, WPARAM wParam)
{
    return message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE;
}

std::optional<INT_PTR> SharedDialogAnswer(HWND dialog, UINT message, WPARAM wParam, HWND& savedFocus,
                                          SystemClose onClose)
{
    if (IsSystemClose(message, wParam)) {
        if (onClose == SystemClose::EndsDialog) EndDialog(dialog, 0);
        return TRUE;
    }
    switch (message) {
    case WM_NCACTIVATE:
        KeepFocusAcrossActivation(savedFocus, wParam);
        return FALSE;  // the default activation runs as well
    case WM_CLOSE:
        return TRUE;
    default:
        return std::nullopt;
    }
}
