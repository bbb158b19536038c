#include "ConfigDialog.h"

#include "AnsiText.h"
#include "DialogTemplate.h"

#include <commdlg.h>
#include <shlobj.h>

#include <array>

namespace {

enum ControlId : WORD {
    FolderButtonId = 1020,
    FolderBoxId = 1021,
    CancelButtonId = 1022,
    AcceptButtonId = 1023,
};

constexpr int LabelFontPoints = 10;
constexpr int ButtonFontPoints = 14;
constexpr int ChooserOffset = 30;  // pixels right of and below the dialog's corner
constexpr COLORREF ChooserStartColour = RGB(128, 128, 128);
constexpr COLORREF NewSwatchColour = RGB(255, 255, 255);

// Each colour of the settings with its "..." button and the swatch that shows it.
struct ColourChoice {
    WORD Button;
    WORD Swatch;
    Colour Settings::*Value;
};

constexpr ColourChoice ColourChoices[] = {
    {1015, 1014, &Settings::ExpenseTextColor}, {1018, 1017, &Settings::ExpenseBackColor},
    {1024, 1026, &Settings::SavingTextColor},  {1029, 1028, &Settings::SavingBackColor},
    {1041, 1043, &Settings::CommentTextColor}, {1046, 1045, &Settings::CommentBackColor},
};

// Kept for the whole run, across openings of the dialog, never saved.
std::array<COLORREF, 16> CustomColors{};

struct ConfigDialogState {
    Settings& settings;
    ConfigurationFile& configFile;
    HFONT labelFont;
    HFONT buttonFont;
    Settings pendingSettings;
    std::array<HBITMAP, std::size(ColourChoices)> swatchBitmaps{};
    HWND savedFocus = nullptr;
};

DialogTemplate BuildConfigDialogTemplate()
{
    constexpr DWORD Label = WS_CHILD | WS_VISIBLE | SS_LEFT;
    constexpr DWORD Swatch = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_OWNERDRAW;
    constexpr DWORD Button = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

    DialogTemplate dialog(L"Configuracion", OwnedDialogStyle | WS_VISIBLE | WS_CLIPSIBLINGS,
                          WS_EX_CONTROLPARENT | WS_EX_TOPMOST, 70, 70, 427, 160);
    dialog.AddControl(L"STATIC", L"Color texto del gasto", 1013, 5, 5, 100, 15, Label);
    dialog.AddControl(L"STATIC", L"", 1014, 5, 20, 25, 20, Swatch);
    dialog.AddControl(L"BUTTON", L"...", 1015, 35, 23, 35, 15, Button);
    dialog.AddControl(L"STATIC", L"Color fondo del gasto", 1016, 5, 45, 100, 15, Label);
    dialog.AddControl(L"STATIC", L"", 1017, 5, 60, 25, 20, Swatch);
    dialog.AddControl(L"BUTTON", L"...", 1018, 35, 63, 35, 15, Button);
    dialog.AddControl(L"STATIC", L"Ubicacion ficheros", 1019, 5, 90, 100, 15, Label);
    dialog.AddControl(L"BUTTON", L"...", FolderButtonId, 5, 110, 35, 15, Button);
    dialog.AddControl(L"EDIT", L"", FolderBoxId, 45, 110, 375, 25,
                      WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL,
                      WS_EX_CLIENTEDGE);
    dialog.AddControl(L"BUTTON", L"Cancelar", CancelButtonId, 5, 140, 55, 15, Button);
    dialog.AddControl(L"BUTTON", L"Aceptar", AcceptButtonId, 366, 140, 55, 15, Button);
    dialog.AddControl(L"BUTTON", L"...", 1024, 178, 25, 35, 15, Button);
    dialog.AddControl(L"STATIC", L"Color texto del ahorro", 1025, 148, 7, 105, 15, Label);
    dialog.AddControl(L"STATIC", L"", 1026, 148, 22, 25, 20, Swatch);
    dialog.AddControl(L"STATIC", L"Color fondo del ahorro", 1027, 148, 47, 105, 15, Label);
    dialog.AddControl(L"STATIC", L"", 1028, 148, 62, 25, 20, Swatch);
    dialog.AddControl(L"BUTTON", L"...", 1029, 178, 65, 35, 15, Button);
    dialog.AddControl(L"BUTTON", L"...", 1041, 328, 25, 35, 15, Button);
    dialog.AddControl(L"STATIC", L"Color texto del comentario", 1042, 298, 7, 127, 15, Label);
    dialog.AddControl(L"STATIC", L"", 1043, 298, 22, 25, 20, Swatch);
    dialog.AddControl(L"STATIC", L"Color fondo del comentario", 1044, 298, 45, 127, 17, Label);
    dialog.AddControl(L"STATIC", L"", 1045, 298, 62, 25, 20, Swatch);
    dialog.AddControl(L"BUTTON", L"...", 1046, 328, 65, 35, 15, Button);
    return dialog;
}

// The "..." buttons take the big font, the swatches none, every other control the label font.
void SetControlFonts(HWND dialog, const ConfigDialogState& state)
{
    SetFontOnControls(dialog, state.labelFont);
    SendDlgItemMessageW(dialog, FolderButtonId, WM_SETFONT, reinterpret_cast<WPARAM>(state.buttonFont), FALSE);
    for (const ColourChoice& choice : ColourChoices) {
        SendDlgItemMessageW(dialog, choice.Button, WM_SETFONT, reinterpret_cast<WPARAM>(state.buttonFont), FALSE);
        SendDlgItemMessageW(dialog, choice.Swatch, WM_SETFONT, 0, FALSE);
    }
}

std::size_t ChoiceIndexOfSwatch(WORD swatch)
{
    for (std::size_t i = 0; i < std::size(ColourChoices); ++i)
        if (ColourChoices[i].Swatch == swatch) return i;
    return std::size(ColourChoices);
}

void FillSwatch(HWND dialog, ConfigDialogState& state, std::size_t choice, COLORREF colour)
{
    const HDC memory = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(memory, state.swatchBitmaps[choice]);
    const HBRUSH brush = CreateSolidBrush(colour);
    BITMAP size{};
    GetObjectW(state.swatchBitmaps[choice], sizeof size, &size);
    const RECT all{0, 0, size.bmWidth, size.bmHeight};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, previous);
    DeleteDC(memory);
    InvalidateRect(GetDlgItem(dialog, ColourChoices[choice].Swatch), nullptr, FALSE);
}

void CreateSwatchBitmaps(HWND dialog, ConfigDialogState& state)
{
    const HDC screen = GetDC(nullptr);
    for (std::size_t i = 0; i < std::size(ColourChoices); ++i) {
        RECT client{};
        GetClientRect(GetDlgItem(dialog, ColourChoices[i].Swatch), &client);
        state.swatchBitmaps[i] = CreateCompatibleBitmap(screen, client.right, client.bottom);
        FillSwatch(dialog, state, i, NewSwatchColour);
    }
    ReleaseDC(nullptr, screen);
}

void OnDrawSwatch(ConfigDialogState& state, const DRAWITEMSTRUCT& item)
{
    const std::size_t choice = ChoiceIndexOfSwatch(static_cast<WORD>(item.CtlID));
    if (choice == std::size(ColourChoices)) return;
    const HDC memory = CreateCompatibleDC(item.hDC);
    const HGDIOBJ previous = SelectObject(memory, state.swatchBitmaps[choice]);
    const RECT& area = item.rcItem;
    BitBlt(item.hDC, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

void OnInitDialog(HWND dialog, ConfigDialogState& state)
{
    SetControlFonts(dialog, state);
    CreateSwatchBitmaps(dialog, state);
    SetDlgItemTextW(dialog, FolderBoxId, ShownWideFromUtf8(state.settings.DataFolder).c_str());
    for (std::size_t i = 0; i < std::size(ColourChoices); ++i)
        FillSwatch(dialog, state, i, state.settings.*ColourChoices[i].Value);
    state.pendingSettings = state.settings;
}

// Puts the colour chooser at a fixed place beside the dialog, whatever the
// system would choose.
UINT_PTR CALLBACK PlaceColourChooser(HWND chooser, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        RECT owner{};
        GetWindowRect(reinterpret_cast<const CHOOSECOLORA*>(lParam)->hwndOwner, &owner);
        SetWindowPos(chooser, nullptr, owner.left + ChooserOffset, owner.top + ChooserOffset, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
    }
    return 0;
}

void OnChooseColour(HWND dialog, ConfigDialogState& state, std::size_t choice)
{
    CHOOSECOLORA chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = dialog;
    chooser.rgbResult = ChooserStartColour;
    chooser.lpCustColors = CustomColors.data();
    chooser.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK;
    chooser.lpfnHook = PlaceColourChooser;
    if (!ChooseColorA(&chooser)) return;
    state.pendingSettings.*ColourChoices[choice].Value = chooser.rgbResult;
    FillSwatch(dialog, state, choice, chooser.rgbResult);
}

// The whole path of a shell item, however long.
std::wstring PathOfItem(PCIDLIST_ABSOLUTE item)
{
    constexpr DWORD LongestPath = 32768;  // the longest path Windows' file functions take
    std::wstring path(LongestPath, L'\0');
    if (!SHGetPathFromIDListEx(item, path.data(), LongestPath, GPFIDL_DEFAULT)) return {};
    path.resize(path.find(L'\0'));
    return path;
}

// The folder the user picks in the system's folder browser (UTF-8), or an empty
// text when the browser was cancelled or the choice has no file-system path.
std::string BrowseForFolder(HWND owner)
{
    const wchar_t* title = L"Elige Unidad o Carpeta de Ubicacion ...\r\n\u00AE Drumel Soft";
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.lpszTitle = title;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;

    // The browser is a shell object: COM must be ready on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::string chosen;
    if (const PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&browse)) {
        chosen = Utf8FromWide(PathOfItem(item));
        CoTaskMemFree(item);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return chosen;
}

// A folder the configuration file cannot keep is refused at once, so that it
// is not lost at the next start; the pending folder stays as it was.
void OnBrowseFolder(HWND dialog, ConfigDialogState& state)
{
    const std::string browsed = BrowseForFolder(dialog);
    if (browsed.empty()) return;
    const std::string folder = AsDataFolder(browsed);
    if (!state.configFile.CanKeep(folder)) {
        MessageBoxW(dialog, ShownWideFromUtf8(UnkeptFolderText(folder)).c_str(), L"Programador", MB_OK);
        return;
    }
    state.pendingSettings.DataFolder = folder;
    SetDlgItemTextW(dialog, FolderBoxId, ShownWideFromUtf8(state.pendingSettings.DataFolder).c_str());
}

// The new values are in force for the rest of the run even if the file could
// not be written; the user learns that they will be lost at the next start.
void OnAccept(HWND dialog, ConfigDialogState& state)
{
    // The folder box is for looking only: what was typed into it is ignored.
    state.settings = state.pendingSettings;
    const FileResult saved = state.configFile.SaveSettings(state.settings);
    if (!saved) {
        const std::string text =
            "Configuracion NO Grabada en el fichero : \r\n" + state.configFile.Path() + "\r\n" + saved.Reason;
        MessageBoxW(dialog, ShownWideFromUtf8(text).c_str(), L"Programador", MB_OK);
    }
    EndDialog(dialog, 0);
}

void OnCommand(HWND dialog, ConfigDialogState& state, WORD control, WORD notification)
{
    // Only clicks; Enter and Esc (IDOK, IDCANCEL) do nothing.
    if (notification > 1) return;
    for (std::size_t i = 0; i < std::size(ColourChoices); ++i)
        if (ColourChoices[i].Button == control) return OnChooseColour(dialog, state, i);
    switch (control) {
    case FolderButtonId: OnBrowseFolder(dialog, state); break;
    case AcceptButtonId: OnAccept(dialog, state); break;
    case CancelButtonId: EndDialog(dialog, 0); break;
    default: break;
    }
}

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        OnInitDialog(dialog, *reinterpret_cast<ConfigDialogState*>(lParam));
        return TRUE;
    }
    auto* state = reinterpret_cast<ConfigDialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!state) return FALSE;  // messages that come before WM_INITDIALOG
    if (const auto answer = SharedDialogAnswer(dialog, message, wParam, state->savedFocus)) return *answer;
    switch (message) {
    case WM_DRAWITEM:
        OnDrawSwatch(*state, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        OnCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam));
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

void ShowConfigDialog(HWND owner, Settings& settings, ConfigurationFile& configFile)
{
    const DialogTemplate dialog = BuildConfigDialogTemplate();
    ConfigDialogState state{settings, configFile, CreateBoldSansSerifFont(LabelFontPoints),
                            CreateBoldSansSerifFont(ButtonFontPoints), settings};
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), owner, ConfigDialogProc,
                            reinterpret_cast<LPARAM>(&state));
    for (HBITMAP bitmap : state.swatchBitmaps) DeleteObject(bitmap);
    DeleteObject(state.labelFont);
    DeleteObject(state.buttonFont);
}
