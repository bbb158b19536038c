// How long the main window's list takes to show a full ledger of 36500
// movements, as after "Leer" and "Formato Americano": from emptying the list
// until every row is in it and the screen has been painted.
#include "BenchTiming.h"
#include "common/win32/DialogTemplate.h"
#include "ledger/CofreloIds.h"
#include "support/Records.h"
#include "shell/LedgerList.h"

#include <commctrl.h>

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

}  // namespace

int main()
{
    InitCommonControls();
    constexpr DWORD Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    DialogTemplate dialog(cofrelo::MainWindowTitle, Style, 0, 70, 70, 534, 333);
    dialog.AddControl(WC_LISTVIEWW, L"Listview1", cofrelo::LedgerListId, 0, 0, 535, 320,
                      WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS);
    const HWND window =
        CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), nullptr, PlainDialogProc, 0);
    const FontHandle font = CreateBoldSansSerifFont(10);
    const HWND list = GetDlgItem(window, cofrelo::LedgerListId);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    SetupLedgerColumns(window, cofrelo::LedgerListId);
    ShowWindow(window, SW_MAXIMIZE);
    RECT client{};
    GetClientRect(window, &client);
    MoveWindow(list, 0, 0, client.right, client.bottom, TRUE);
    UpdateWindow(window);

    const Ledger ledger = FullLedger();
    Report("Refill of 36500 rows",
           MedianMilliseconds(7, [&](int run) { RefillLedgerList(list, ledger, run % 2 == 1); }));

    DestroyWindow(window);
    return 0;
}
