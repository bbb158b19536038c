// Cofrelo's entry: the common controls, then the main window until it closes.
#include "ledger/shell/win32/MainWindow.h"

#include "common/platform/Handles.h"

#include <commctrl.h>

namespace {

// The version-6 controls need registering; looked up by name so that a system
// whose library lacks InitCommonControlsEx still starts.
void InitializeCommonControls()
{
    const common::LibraryHandle library(LoadLibraryA("COMCTL32.DLL"));
    if (!library) return;
    using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto initialize = reinterpret_cast<InitCommonControlsExFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(library.get(), "InitCommonControlsEx")));
    if (initialize) {
        const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES};
        initialize(&classes);
    } else {
        InitCommonControls();
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Libraries loaded from now on come from the system folder only, never a DLL planted beside the program.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    InitializeCommonControls();
    cofrelo::CreateMainWindow(nullptr);
    return 0;
}
