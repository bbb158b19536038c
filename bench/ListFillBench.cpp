// How long the main window's list takes to show a full ledger of 36500
// movements, as after "Leer" and "Formato Americano": from emptying the list
// until every row is in it and the screen has been painted.
#include "bench/BenchTiming.h"
#include "common/win32/DialogTemplate.h"
#include "ledger/CofreloIds.h"
#include "tests/support/Records.h"
#include "ledger/shell/win32/LedgerList.h"
#include "common/win32/WindowLook.h"

#include <commctrl.h>

using namespace cofrelo;
using namespace common;

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
    DialogTemplate dialog(MainWindowTitle, Style, 0, WindowFrame(534, 333));
    dialog.AddList(LedgerListId, L"Listview1", {0, 0, 535, 320});
    const HWND window =
        CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), nullptr, PlainDialogProc, 0);
    const FontHandle font = CreateBoldSansSerifFont(10);
    const HWND list = GetDlgItem(window, LedgerListId);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    SetupLedgerColumns(window, LedgerListId);
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
