#include "ledger/settings/win32/ConfigDialog.h"

#include "common/platform/TextConversions.h"
#include "common/win32/ModalDialog.h"
#include "common/win32/UserMessages.h"
#include "common/win32/WindowLook.h"
#include "ledger/CofreloIds.h"

#include <commdlg.h>
#include <shlobj.h>

namespace cofrelo {

namespace {

using namespace common;

constexpr int LabelFontPoints = 10;
constexpr int ButtonFontPoints = 14;
constexpr int ChooserOffset = 30;  // pixels right of and below the dialog's corner
constexpr COLORREF ChooserStartColor = RGB(128, 128, 128);
constexpr COLORREF NewSwatchColor = RGB(255, 255, 255);

// Each color is a cell: its label, the swatch below it and the "..." button
// beside the swatch. A column of cells holds one kind's text color over its
// background color; a taller label reaches higher, so that every background
// label ends at the same distance from the swatch above it.
struct ColorColumn {
    int X;
    int Top;
    int LabelWidth;
    int BackLabelHeight = LineHeight;
};
constexpr ColorColumn ExpenseColumn{Margin, Margin, 100}, SavingColumn{148, 7, 105}, CommentColumn{298, 7, 127, 17};
constexpr int SwatchWidth = 25, SwatchHeight = 20, DotsWidth = 35, DotsDrop = 3;

constexpr Box TextLabel(const ColorColumn& column)
{
    return {column.X, column.Top, column.LabelWidth, LineHeight};
}

constexpr Box SwatchBelow(const Box& label)
{
    return {label.X, label.Bottom(), SwatchWidth, SwatchHeight};
}

constexpr Box BackLabel(const ColorColumn& column)
{
    const int bottom = SwatchBelow(TextLabel(column)).Bottom() + Margin + LineHeight;
    return {column.X, bottom - column.BackLabelHeight, column.LabelWidth, column.BackLabelHeight};
}

constexpr Box DotsBeside(const Box& label)
{
    const Box swatch = SwatchBelow(label);
    return {swatch.Right() + Margin, swatch.Y + DotsDrop, DotsWidth, LineHeight};
}

// Below the colors, the data folder: its label, then its "..." button and the
// box that shows it; then "Cancelar" and "Aceptar".
constexpr Box FolderLabelBox{Margin, SwatchBelow(BackLabel(ExpenseColumn)).Bottom() + 2 * Margin, 100, LineHeight};
constexpr Box FolderButtonBox{Margin, FolderLabelBox.Bottom() + Margin, DotsWidth, LineHeight};
constexpr Box FolderBox{FolderButtonBox.Right() + Margin, FolderButtonBox.Y, 375, 25};
constexpr int ButtonTop = FolderBox.Bottom() + Margin, ButtonWidth = 55, AcceptLeft = 366;

// Each color of the settings and its cell: the label, the swatch that shows
// the color and the "..." button that chooses it.
struct ColorChoice {
    MovementKind Kind;
    Color RowColors::*Part;
    int Label;
    const wchar_t* Text;
    int Swatch;
    int Button;
};

using enum MovementKind;
constexpr ColorChoice ExpenseText{Expense, &RowColors::Text, ExpenseTextLabelId, L"Color texto del gasto",
                                  ExpenseTextSwatchId, ExpenseTextButtonId};
constexpr ColorChoice ExpenseBack{Expense, &RowColors::Back, ExpenseBackLabelId, L"Color fondo del gasto",
                                  ExpenseBackSwatchId, ExpenseBackButtonId};
constexpr ColorChoice SavingText{Saving, &RowColors::Text, SavingTextLabelId, L"Color texto del ahorro",
                                 SavingTextSwatchId, SavingTextButtonId};
constexpr ColorChoice SavingBack{Saving, &RowColors::Back, SavingBackLabelId, L"Color fondo del ahorro",
                                 SavingBackSwatchId, SavingBackButtonId};
constexpr ColorChoice CommentText{Comment, &RowColors::Text, CommentTextLabelId, L"Color texto del comentario",
                                  CommentTextSwatchId, CommentTextButtonId};
constexpr ColorChoice CommentBack{Comment, &RowColors::Back, CommentBackLabelId, L"Color fondo del comentario",
                                  CommentBackSwatchId, CommentBackButtonId};
constexpr ColorChoice ColorChoices[] = {ExpenseText, ExpenseBack, SavingText, SavingBack, CommentText, CommentBack};

constexpr Box LabelOf(const ColorChoice& choice)
{
    const ColorColumn& column = choice.Kind == Expense  ? ExpenseColumn
                                : choice.Kind == Saving ? SavingColumn
                                                        : CommentColumn;
    return choice.Part == &RowColors::Text ? TextLabel(column) : BackLabel(column);
}

// Where a cell's "..." button stands in the tab order: before its label or after its swatch.
enum class Dots { First, Last };

void AddColorCell(DialogTemplate& dialog, const ColorChoice& choice, Dots dots)
{
    const Box label = LabelOf(choice);
    if (dots == Dots::First) dialog.AddButton(choice.Button, L"...", DotsBeside(label));
    dialog.AddLabel(choice.Label, choice.Text, label);
    dialog.AddSwatch(choice.Swatch, SwatchBelow(label));
    if (dots == Dots::Last) dialog.AddButton(choice.Button, L"...", DotsBeside(label));
}

// Created in this order, which is also the tab order.
DialogTemplate ConfigDialogTemplate()
{
    DialogTemplate dialog(ConfigDialogTitle, OwnedDialogStyle | WS_VISIBLE | WS_CLIPSIBLINGS,
                          WS_EX_CONTROLPARENT | WS_EX_TOPMOST, WindowFrame(427, 160));
    AddColorCell(dialog, ExpenseText, Dots::Last);
    AddColorCell(dialog, ExpenseBack, Dots::Last);
    dialog.AddLabel(FolderLabelId, L"Ubicacion ficheros", FolderLabelBox);
    dialog.AddButton(FolderButtonId, L"...", FolderButtonBox);
    dialog.AddMultiLineEditBox(FolderBoxId, FolderBox);
    dialog.AddButton(ConfigCancelButtonId, L"Cancelar", {Margin, ButtonTop, ButtonWidth, LineHeight});
    dialog.AddButton(ConfigAcceptButtonId, L"Aceptar", {AcceptLeft, ButtonTop, ButtonWidth, LineHeight});
    AddColorCell(dialog, SavingText, Dots::First);
    AddColorCell(dialog, SavingBack, Dots::Last);
    AddColorCell(dialog, CommentText, Dots::First);
    AddColorCell(dialog, CommentBack, Dots::Last);
    return dialog;
}

constexpr std::size_t NoChoice = std::size(ColorChoices);

template <int ColorChoice::*Control>
std::size_t ChoiceOf(int control)
{
    for (std::size_t i = 0; i < std::size(ColorChoices); ++i)
        if (ColorChoices[i].*Control == control) return i;
    return NoChoice;
}

Color& ValueOf(Settings& settings, std::size_t choice)
{
    return settings.ColorsOf(ColorChoices[choice].Kind).*ColorChoices[choice].Part;
}

// Puts the color chooser at a fixed place beside the dialog, whatever the
// system would choose.
UINT_PTR CALLBACK PlaceColorChooser(HWND chooser, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        RECT owner{};
        GetWindowRect(reinterpret_cast<const CHOOSECOLORA*>(lParam)->hwndOwner, &owner);
        SetWindowPos(chooser, nullptr, owner.left + ChooserOffset, owner.top + ChooserOffset, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
    }
    return 0;
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

class ConfigDialog final : public ModalDialog {
public:
    ConfigDialog(const Settings& settings, const ConfigurationFile& configFile, CustomColors& customColors)
        : ModalDialog(Closing::CloseCommandEnds), configFile_(configFile), customColors_(customColors),
          pendingSettings_(settings)
    {
    }

    std::optional<Settings> Chosen() const { return accepted_ ? std::optional(pendingSettings_) : std::nullopt; }

private:
    void OnInit(HWND dialog) override
    {
        SetControlFonts(dialog);
        CreateSwatchBitmaps(dialog);
        SetDlgItemTextW(dialog, FolderBoxId, ShownWideFromUtf8(pendingSettings_.DataFolder).c_str());
        for (std::size_t i = 0; i < std::size(ColorChoices); ++i)
            FillSwatch(dialog, i, ValueOf(pendingSettings_, i));
    }

    void OnClick(HWND dialog, int control) override
    {
        if (const std::size_t choice = ChoiceOf<&ColorChoice::Button>(control); choice != NoChoice)
            return PickColor(dialog, choice);
        switch (control) {
        case FolderButtonId: BrowseFolder(dialog); break;
        case ConfigAcceptButtonId: Accept(dialog); break;
        case ConfigCancelButtonId: End(dialog); break;
        default: break;
        }
    }

    std::optional<INT_PTR> OnMessage(HWND, UINT message, WPARAM, LPARAM lParam) override
    {
        if (message != WM_DRAWITEM) return std::nullopt;
        DrawSwatch(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }

    // The "..." buttons take the big font, the swatches none, every other control the label font.
    void SetControlFonts(HWND dialog)
    {
        labelFont_ = CreateBoldSansSerifFont(LabelFontPoints);
        buttonFont_ = CreateBoldSansSerifFont(ButtonFontPoints);
        const auto buttonFont = reinterpret_cast<WPARAM>(buttonFont_.get());
        SetFontOnControls(dialog, labelFont_.get());
        SendDlgItemMessageW(dialog, FolderButtonId, WM_SETFONT, buttonFont, FALSE);
        for (const ColorChoice& choice : ColorChoices) {
            SendDlgItemMessageW(dialog, choice.Button, WM_SETFONT, buttonFont, FALSE);
            SendDlgItemMessageW(dialog, choice.Swatch, WM_SETFONT, 0, FALSE);
        }
    }

    void CreateSwatchBitmaps(HWND dialog)
    {
        const ScreenDc screen;
        for (std::size_t i = 0; i < std::size(ColorChoices); ++i) {
            RECT client{};
            GetClientRect(GetDlgItem(dialog, ColorChoices[i].Swatch), &client);
            swatchBitmaps_[i].reset(CreateCompatibleBitmap(screen, client.right, client.bottom));
            FillSwatch(dialog, i, NewSwatchColor);
        }
    }

    void FillSwatch(HWND dialog, std::size_t choice, COLORREF color)
    {
        const HBITMAP bitmap = swatchBitmaps_[choice].get();
        BITMAP size{};
        GetObjectW(bitmap, sizeof size, &size);
        const RECT all{0, 0, size.bmWidth, size.bmHeight};
        {
            const MemoryDcHandle memory(CreateCompatibleDC(nullptr));
            const SelectedObject selected(memory.get(), bitmap);
            FillRect(memory.get(), &all, BrushHandle(CreateSolidBrush(color)).get());
        }
        InvalidateRect(GetDlgItem(dialog, ColorChoices[choice].Swatch), nullptr, FALSE);
    }

    void DrawSwatch(const DRAWITEMSTRUCT& item)
    {
        const std::size_t choice = ChoiceOf<&ColorChoice::Swatch>(static_cast<int>(item.CtlID));
        if (choice == NoChoice) return;
        const MemoryDcHandle memory(CreateCompatibleDC(item.hDC));
        const SelectedObject selected(memory.get(), swatchBitmaps_[choice].get());
        const RECT& area = item.rcItem;
        BitBlt(item.hDC, area.left, area.top, area.right - area.left, area.bottom - area.top, memory.get(), 0, 0,
               SRCCOPY);
    }

    void PickColor(HWND dialog, std::size_t choice)
    {
        CHOOSECOLORA chooser{};
        chooser.lStructSize = sizeof chooser;
        chooser.hwndOwner = dialog;
        chooser.rgbResult = ChooserStartColor;
        chooser.lpCustColors = customColors_.data();
        chooser.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK;
        chooser.lpfnHook = PlaceColorChooser;
        if (!ChooseColorA(&chooser)) return;
        ValueOf(pendingSettings_, choice) = chooser.rgbResult;
        FillSwatch(dialog, choice, chooser.rgbResult);
    }

    // A folder the configuration file cannot keep is refused at once, so that it
    // is not lost at the next start; the pending folder stays as it was.
    void BrowseFolder(HWND dialog)
    {
        const std::string browsed = BrowseForFolder(dialog);
        if (browsed.empty()) return;
        const std::string folder = AsDataFolder(browsed);
        if (const std::optional<std::string> refusal = configFile_.WhyNotKept(folder))
            return TellUser(dialog, MessageTitle, *refusal);
        pendingSettings_.DataFolder = folder;
        SetDlgItemTextW(dialog, FolderBoxId, ShownWideFromUtf8(pendingSettings_.DataFolder).c_str());
    }

    // The folder box is for looking only: what was typed into it is ignored.
    void Accept(HWND dialog)
    {
        accepted_ = true;
        End(dialog);
    }

    const ConfigurationFile& configFile_;  // which folders it can keep
    CustomColors& customColors_;
    Settings pendingSettings_;
    bool accepted_ = false;
    // The dialog draws with these until it is destroyed.
    FontHandle labelFont_;
    FontHandle buttonFont_;
    std::array<BitmapHandle, std::size(ColorChoices)> swatchBitmaps_{};
};

}  // namespace

std::optional<Settings> ShowConfigDialog(HWND owner, const Settings& settings, const ConfigurationFile& configFile,
                                         CustomColors& customColors)
{
    ConfigDialog dialog(settings, configFile, customColors);
    dialog.Run(ConfigDialogTemplate(), owner);
    return dialog.Chosen();
}

}  // namespace cofrelo
