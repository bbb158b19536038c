#include "settings/win32/ConfigDialog.h"

#include "common/win32/AnsiText.h"
#include "common/win32/DialogTemplate.h"
#include "ledger/CofreloIds.h"
#include "shell/MessageBoxDialogue.h"

#include <commdlg.h>
#include <shlobj.h>

#include <array>

namespace {

using namespace cofrelo;

constexpr int LabelFontPoints = 10;
constexpr int ButtonFontPoints = 14;
constexpr int ChooserOffset = 30;  // pixels right of and below the dialog's corner
constexpr COLORREF ChooserStartColour = RGB(128, 128, 128);
constexpr COLORREF NewSwatchColour = RGB(255, 255, 255);

// Each colour of the settings with its "..." button and the swatch that shows it.
struct ColourChoice {
    int Button;
    int Swatch;
    Colour Settings::*Value;
};

constexpr ColourChoice ColourChoices[] = {
    {ExpenseTextButtonId, ExpenseTextSwatchId, &Settings::ExpenseTextColor},
    {ExpenseBackButtonId, ExpenseBackSwatchId, &Settings::ExpenseBackColor},
    {SavingTextButtonId, SavingTextSwatchId, &Settings::SavingTextColor},
    {SavingBackButtonId, SavingBackSwatchId, &Settings::SavingBackColor},
    {CommentTextButtonId, CommentTextSwatchId, &Settings::CommentTextColor},
    {CommentBackButtonId, CommentBackSwatchId, &Settings::CommentBackColor},
};

struct ConfigDialogState {
    const ConfigurationFile& configFile;  // which folders it can keep
    CustomColours& customColors;
    FontHandle labelFont;
    FontHandle buttonFont;
    Settings pendingSettings;
    std::array<BitmapHandle, std::size(ColourChoices)> swatchBitmaps{};
    bool accepted = false;
    HWND savedFocus = nullptr;
};

DialogTemplate BuildConfigDialogTemplate()
{
    constexpr DWORD Label = WS_CHILD | WS_VISIBLE | SS_LEFT;
    constexpr DWORD Swatch = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_OWNERDRAW;
    constexpr DWORD Button = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    // Every colour has a swatch and a "..." button of the same size.
    constexpr short SwatchWidth = 25, SwatchHeight = 20;
    constexpr short DotsWidth = 35, ButtonHeight = 15, LabelHeight = 15;

    DialogTemplate dialog(ConfigDialogTitle, OwnedDialogStyle | WS_VISIBLE | WS_CLIPSIBLINGS,
                          WS_EX_CONTROLPARENT | WS_EX_TOPMOST, 70, 70, 427, 160);
    dialog.AddControl(L"STATIC", L"Color texto del gasto", ExpenseTextLabelId, 5, 5, 100, LabelHeight, Label);
    dialog.AddControl(L"STATIC", L"", ExpenseTextSwatchId, 5, 20, SwatchWidth, SwatchHeight, Swatch);
    dialog.AddControl(L"BUTTON", L"...", ExpenseTextButtonId, 35, 23, DotsWidth, ButtonHeight, Button);
    dialog.AddControl(L"STATIC", L"Color fondo del gasto", ExpenseBackLabelId, 5, 45, 100, LabelHeight, Label);
    dialog.AddControl(L"STATIC", L"", ExpenseBackSwatchId, 5, 60, SwatchWidth, SwatchHeight, Swatch);
    dialog.AddControl(L"BUTTON", L"...", ExpenseBackButtonId, 35, 63, DotsWidth, ButtonHeight, Button);
    dialog.AddControl(L"STATIC", L"Ubicacion ficheros", FolderLabelId, 5, 90, 100, LabelHeight, Label);
    dialog.AddControl(L"BUTTON", L"...", FolderButtonId, 5, 110, DotsWidth, ButtonHeight, Button);
    dialog.AddControl(L"EDIT", L"", FolderBoxId, 45, 110, 375, 25,
                      WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL,
                      WS_EX_CLIENTEDGE);
    dialog.AddControl(L"BUTTON", L"Cancelar", ConfigCancelButtonId, 5, 140, 55, ButtonHeight, Button);
    dialog.AddControl(L"BUTTON", L"Aceptar", ConfigAcceptButtonId, 366, 140, 55, ButtonHeight, Button);
    dialog.AddControl(L"BUTTON", L"...", SavingTextButtonId, 178, 25, DotsWidth, ButtonHeight, Button);
    dialog.AddControl(L"STATIC", L"Color texto del ahorro", SavingTextLabelId, 148, 7, 105, LabelHeight, Label);
    dialog.AddControl(L"STATIC", L"", SavingTextSwatchId, 148, 22, SwatchWidth, SwatchHeight, Swatch);
    dialog.AddControl(L"STATIC", L"Color fondo del ahorro", SavingBackLabelId, 148, 47, 105, LabelHeight, Label);
    dialog.AddControl(L"STATIC", L"", SavingBackSwatchId, 148, 62, SwatchWidth, SwatchHeight, Swatch);
    dialog.AddControl(L"BUTTON", L"...", SavingBackButtonId, 178, 65, DotsWidth, ButtonHeight, Button);
    dialog.AddControl(L"BUTTON", L"...", CommentTextButtonId, 328, 25, DotsWidth, ButtonHeight, Button);
    dialog.AddControl(L"STATIC", L"Color texto del comentario", CommentTextLabelId, 298, 7, 127, LabelHeight, Label);
    dialog.AddControl(L"STATIC", L"", CommentTextSwatchId, 298, 22, SwatchWidth, SwatchHeight, Swatch);
    dialog.AddControl(L"STATIC", L"Color fondo del comentario", CommentBackLabelId, 298, 45, 127, 17, Label);
    dialog.AddControl(L"STATIC", L"", CommentBackSwatchId, 298, 62, SwatchWidth, SwatchHeight, Swatch);
    dialog.AddControl(L"BUTTON", L"...", CommentBackButtonId, 328, 65, DotsWidth, ButtonHeight, Button);
    return dialog;
}

// The "..." buttons take the big font, the swatches none, every other control the label font.
void SetControlFonts(HWND dialog, const ConfigDialogState& state)
{
    const auto buttonFont = reinterpret_cast<WPARAM>(state.buttonFont.get());
    SetFontOnControls(dialog, state.labelFont.get());
    SendDlgItemMessageW(dialog, FolderButtonId, WM_SETFONT, buttonFont, FALSE);
    for (const ColourChoice& choice : ColourChoices) {
        SendDlgItemMessageW(dialog, choice.Button, WM_SETFONT, buttonFont, FALSE);
        SendDlgItemMessageW(dialog, choice.Swatch, WM_SETFONT, 0, FALSE);
    }
}

std::size_t ChoiceIndexOfSwatch(int swatch)
{
    for (std::size_t i = 0; i < std::size(ColourChoices); ++i)
        if (ColourChoices[i].Swatch == swatch) return i;
    return std::size(ColourChoices);
}

void FillSwatch(HWND dialog, ConfigDialogState& state, std::size_t choice, COLORREF colour)
{
    const HBITMAP bitmap = state.swatchBitmaps[choice].get();
    BITMAP size{};
    GetObjectW(bitmap, sizeof size, &size);
    const RECT all{0, 0, size.bmWidth, size.bmHeight};
    {
        const MemoryDcHandle memory(CreateCompatibleDC(nullptr));
        const SelectedObject selected(memory.get(), bitmap);
        FillRect(memory.get(), &all, BrushHandle(CreateSolidBrush(colour)).get());
    }
    InvalidateRect(GetDlgItem(dialog, ColourChoices[choice].Swatch), nullptr, FALSE);
}

void CreateSwatchBitmaps(HWND dialog, ConfigDialogState& state)
{
    const ScreenDc screen;
    for (std::size_t i = 0; i < std::size(ColourChoices); ++i) {
        RECT client{};
        GetClientRect(GetDlgItem(dialog, ColourChoices[i].Swatch), &client);
        state.swatchBitmaps[i].reset(CreateCompatibleBitmap(screen, client.right, client.bottom));
        FillSwatch(dialog, state, i, NewSwatchColour);
    }
}

void OnDrawSwatch(ConfigDialogState& state, const DRAWITEMSTRUCT& item)
{
    const std::size_t choice = ChoiceIndexOfSwatch(static_cast<int>(item.CtlID));
    if (choice == std::size(ColourChoices)) return;
    const MemoryDcHandle memory(CreateCompatibleDC(item.hDC));
    const SelectedObject selected(memory.get(), state.swatchBitmaps[choice].get());
    const RECT& area = item.rcItem;
    BitBlt(item.hDC, area.left, area.top, area.right - area.left, area.bottom - area.top, memory.get(), 0, 0,
           SRCCOPY);
}

void OnInitDialog(HWND dialog, ConfigDialogState& state)
{
    SetControlFonts(dialog, state);
    CreateSwatchBitmaps(dialog, state);
    SetDlgItemTextW(dialog, FolderBoxId, ShownWideFromUtf8(state.pendingSettings.DataFolder).c_str());
    for (std::size_t i = 0; i < std::size(ColourChoices); ++i)
        FillSwatch(dialog, state, i, state.pendingSettings.*ColourChoices[i].Value);
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
    chooser.lpCustColors = state.customColors.data();
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
    const ComApartment com;
    const ShellItemList item(SHBrowseForFolderW(&browse));
    return item ? Utf8FromWide(PathOfItem(item.get())) : std::string();
}

// A folder the configuration file cannot keep is refused at once, so that it
// is not lost at the next start; the pending folder stays as it was.
void OnBrowseFolder(HWND dialog, ConfigDialogState& state)
{
    const std::string browsed = BrowseForFolder(dialog);
    if (browsed.empty()) return;
    const std::string folder = AsDataFolder(browsed);
    if (!state.configFile.CanKeep(folder)) {
        TellUser(dialog, UnkeptFolderText(folder));
        return;
    }
    state.pendingSettings.DataFolder = folder;
    SetDlgItemTextW(dialog, FolderBoxId, ShownWideFromUtf8(state.pendingSettings.DataFolder).c_str());
}

// The folder box is for looking only: what was typed into it is ignored.
void OnAccept(HWND dialog, ConfigDialogState& state)
{
    state.accepted = true;
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
    case ConfigAcceptButtonId: OnAccept(dialog, state); break;
    case ConfigCancelButtonId: EndDialog(dialog, 0); break;
    default: break;
    }
}

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = DialogStateOf<ConfigDialogState>(dialog, message, lParam);
    if (!state) return FALSE;
    if (message == WM_INITDIALOG) {
        OnInitDialog(dialog, *state);
        return TRUE;
    }
    // The system's close cancels, as "Cancelar" does.
    if (const auto answer = SharedDialogAnswer(dialog, message, wParam, state->savedFocus, SystemClose::EndsDialog))
        return *answer;
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

std::optional<Settings> ShowConfigDialog(HWND owner, const Settings& settings, const ConfigurationFile& configFile,
                                         CustomColours& customColors)
{
    const DialogTemplate dialog = BuildConfigDialogTemplate();
    ConfigDialogState state{configFile, customColors, CreateBoldSansSerifFont(LabelFontPoints),
                            CreateBoldSansSerifFont(ButtonFontPoints), settings};
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), owner, ConfigDialogProc,
                            reinterpret_cast<LPARAM>(&state));
    if (!state.accepted) return std::nullopt;
    return state.pendingSettings;
}
