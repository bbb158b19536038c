// Cofrelo's main window: a dialog-style window with the menu
// "Opciones" and the list of movements. Every command is a branch of
// MainWindowProc; each runs its dialogs and message boxes modally to the main
// window, so no second command can start while one is still at work.
#include "ledger/shell/win32/MainWindow.h"

#include "common/platform/ModulePath.h"
#include "common/win32/DialogTemplate.h"
#include "common/win32/ModalDialog.h"
#include "common/win32/UserMessages.h"
#include "ledger/CofreloIds.h"
#include "ledger/data/win32/InsertMovementDialog.h"
#include "ledger/files/DocumentCommands.h"
#include "ledger/files/FileSystem.h"
#include "ledger/files/win32/DialogUser.h"
#include "ledger/settings/AnsiCodePage.h"
#include "ledger/settings/win32/ConfigDialog.h"
#include "ledger/shell/win32/LedgerList.h"
#include "ledger/shell/win32/ProgramState.h"

#include <commctrl.h>

#include <chrono>

namespace cofrelo {

namespace {

using namespace common;

ProgramState Cofrelo;

struct MenuEntry {
    const wchar_t* Caption;  // "-" is a separator
    int Command;
};

constexpr MenuEntry MainMenuEntries[] = {
    {L"Nuevo", NewCommand},
    {L"-", 0},
    {L"Leer", ReadCommand},
    {L"Grabar", SaveCommand},
    {L"-", 0},
    {L"Exportar a TXT", ExportTextCommand},
    {L"Exportar a Tabla RTF", ExportRtfCommand},
    {L"-", 0},
    {L"Insertar Datos", InsertCommand},
    {L"-", 0},
    {L"Configuracion", ConfigurationCommand},
    {L"-", 0},
    {L"Formato Americano", AmericanFormatCommand},
    {L"-", 0},
    {L"Autor", AboutCommand},
    {L"-", 0},
    {L"Salir", ExitCommand},
};

constexpr int ListFontPoints = 10;

void BuildMainMenu(HWND window)
{
    Cofrelo.MainMenu = CreateMenu();
    const HMENU options = CreatePopupMenu();
    AppendMenuW(Cofrelo.MainMenu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(options), L"Opciones");
    for (const MenuEntry& entry : MainMenuEntries) {
        if (entry.Command == 0)
            AppendMenuW(options, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(options, MF_STRING, entry.Command, entry.Caption);
    }
    SetMenu(window, Cofrelo.MainMenu);
}

// The main window is modeless: destroying it ends the program's message loop.
void EndMainWindow(HWND window)
{
    DestroyWindow(window);
}

// The state every run starts with, then the configuration file if there is one.
void ResetProgramState(HWND window)
{
    Cofrelo.LedgerList = GetDlgItem(window, LedgerListId);
    Cofrelo.AmericanFormat = false;
    Cofrelo.ProgramFolder = ProgramFolderFromModulePath(ModulePath(nullptr));
    Cofrelo.Ledger.Reset();
    Cofrelo.Settings = DefaultSettings(Cofrelo.ProgramFolder);
    Cofrelo.ConfigFile.emplace(SystemFileSystem(), Cofrelo.ProgramFolder, SystemAnsiCodePage());
    if (SystemFileSystem().Exists(Cofrelo.ConfigFile->Path())) Cofrelo.ConfigFile->LoadSettings(Cofrelo.Settings);
}

void OnInitDialog(HWND window)
{
    Cofrelo.Icons = SetWindowIcons(window, IconResourceId);
    Cofrelo.ListFont = CreateBoldSansSerifFont(ListFontPoints);
    SendDlgItemMessageW(window, LedgerListId, WM_SETFONT, reinterpret_cast<WPARAM>(Cofrelo.ListFont.get()), FALSE);
    BuildMainMenu(window);
    SetupLedgerColumns(window, LedgerListId);
    ResetProgramState(window);
}

// The list always covers the whole client area, minimized (0 x 0) included.
void OnSize(int width, int height)
{
    MoveWindow(Cofrelo.LedgerList, 0, 0, width, height, TRUE);
}

void OnToggleAmericanFormat()
{
    Cofrelo.AmericanFormat = !Cofrelo.AmericanFormat;
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    item.fState = Cofrelo.AmericanFormat ? MFS_CHECKED : 0;
    SetMenuItemInfoW(Cofrelo.MainMenu, AmericanFormatCommand, FALSE, &item);
    if (Cofrelo.Ledger.Count() > 0) RefillLedgerList(Cofrelo.LedgerList, Cofrelo.Ledger, Cofrelo.AmericanFormat);
}

// Unsaved movements are dropped without a question; the document name stays.
void OnNew()
{
    Cofrelo.Ledger.Reset();
    SendMessageW(Cofrelo.LedgerList, LVM_DELETEALLITEMS, 0, 0);
}

void OnRead(HWND window)
{
    DialogUser user(window);
    if (ReadLedger(Cofrelo.Ledger, Cofrelo.LedgerFileName, Cofrelo.Settings.DataFolder, SystemFileSystem(), user))
        RefillLedgerList(Cofrelo.LedgerList, Cofrelo.Ledger, Cofrelo.AmericanFormat);
}

// The time on the wall clock, which names the backup of a replaced ledger.
std::chrono::local_seconds LocalTimeNow()
{
    using namespace std::chrono;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return local_days{year{now.wYear} / now.wMonth / now.wDay} + hours{now.wHour} + minutes{now.wMinute} +
           seconds{now.wSecond};
}

void OnSave(HWND window)
{
    DialogUser user(window);
    SaveLedger(Cofrelo.Ledger, Cofrelo.LedgerFileName, Cofrelo.Settings.DataFolder, LocalTimeNow(), SystemFileSystem(),
               user);
}

void OnExportText(HWND window)
{
    DialogUser user(window);
    ExportText(Cofrelo.Ledger, Cofrelo.LedgerFileName, Cofrelo.Settings.DataFolder, Cofrelo.AmericanFormat,
               SystemFileSystem(), user);
}

void OnExportRtf(HWND window)
{
    DialogUser user(window);
    ExportRtf(Cofrelo.Ledger, Cofrelo.LedgerFileName, Cofrelo.Settings.DataFolder, Cofrelo.AmericanFormat,
              SystemFileSystem(), user);
}

void OnInsert(HWND window)
{
    const InsertChoice choice = ShowInsertMovementDialog(window, Cofrelo.Ledger, Cofrelo.KindChoice);
    Cofrelo.KindChoice = choice.Kind;
    if (!choice.Line || Cofrelo.Ledger.Append(*choice.Line) != LineRefusal::None) return;
    AddLedgerRow(Cofrelo.LedgerList, Cofrelo.Ledger.Count(), Cofrelo.Ledger.Last(), Cofrelo.AmericanFormat);
}

// Whichever button closed the dialog, the rows are painted again at once in
// the colors now in force.
void OnConfiguration(HWND window)
{
    if (const auto chosen = ShowConfigDialog(window, Cofrelo.Settings, *Cofrelo.ConfigFile, Cofrelo.CustomColors)) {
        DialogUser user(window);
        SaveConfiguration(Cofrelo.Settings, *chosen, *Cofrelo.ConfigFile, user);
    }
    RedrawWindow(Cofrelo.LedgerList, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void OnAbout(HWND window)
{
    TellUser(window, AboutTitle,
             "Cofrelo, libro de ahorros personal, hecho por su equipo\r\n"
             "https://cofrelo.example.org\r\n"
             "Visitame ...\r\n"
             "Gracias !!");
}

// Menu commands, whatever the notification code says. Enter and Esc arrive
// as IDOK and IDCANCEL and, like every other id, do nothing.
void OnCommand(HWND window, int command)
{
    switch (command) {
    case AmericanFormatCommand: OnToggleAmericanFormat(); break;
    case NewCommand: OnNew(); break;
    case ReadCommand: OnRead(window); break;
    case SaveCommand: OnSave(window); break;
    case ExportRtfCommand: OnExportRtf(window); break;
    case ExportTextCommand: OnExportText(window); break;
    case InsertCommand: OnInsert(window); break;
    case ConfigurationCommand: OnConfiguration(window); break;
    case AboutCommand: OnAbout(window); break;
    case ExitCommand: EndMainWindow(window); break;
    default: break;
    }
}

INT_PTR OnNotify(HWND window, const NMHDR& header)
{
    if (header.idFrom != LedgerListId || header.code != static_cast<UINT>(NM_CUSTOMDRAW)) return FALSE;
    auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header));
    // A dialog procedure hands its answer back through DWLP_MSGRESULT.
    SetWindowLongPtrW(window, DWLP_MSGRESULT, PaintLedgerRow(draw, Cofrelo.Ledger, Cofrelo.Settings));
    return TRUE;
}

INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The close box, Alt+F4, the system menu and taskkill end the program as "Salir" does.
    if (const auto answer = SharedAnswer(window, message, wParam, Cofrelo.SavedFocus, Closing::EndsProgram,
                                         EndMainWindow))
        return *answer;
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(window); return FALSE;
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return FALSE;
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return FALSE;
    case WM_NOTIFY: return OnNotify(window, *reinterpret_cast<const NMHDR*>(lParam));
    default: return FALSE;
    }
}

DialogTemplate MainWindowTemplate()
{
    // Created hidden (no WS_VISIBLE), shown maximized once it is set up. No
    // sizing border: the caption's buttons are the only way to change the size.
    DialogTemplate dialog(MainWindowTitle,
                          WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                              DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK,
                          WS_EX_CONTROLPARENT, WindowFrame(534, 333));
    // A little wider than the window: the first size message makes it cover the client area.
    dialog.AddList(LedgerListId, L"Listview1", {0, 0, 535, 320});
    return dialog;
}

void RunMessageLoop(HWND window)
{
    MSG message;
    while (IsWindow(window) && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

int CreateMainWindow(HWND parent)
{
    const DialogTemplate dialog = MainWindowTemplate();
    const HWND window =
        CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), parent, MainWindowProc, 0);
    if (!window) return 0;
    SetForegroundWindow(window);
    ShowWindow(window, SW_MAXIMIZE);
    RunMessageLoop(window);
    // The window is gone: its font and icons go too.
    Cofrelo.ListFont.reset();
    Cofrelo.Icons = {};
    return 0;
}

}  // namespace cofrelo
