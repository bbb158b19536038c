// Cofrelo's entry: the common controls, then the main window until it closes.
#include "shell/MainWindow.h"

#include "common/win32/Handles.h"

#include <commctrl.h>

namespace {

// The version-6 controls need registering; looked up by name so that a system
// whose library lacks InitCommonControlsEx still starts.
void InitialiseCommonControls()
{
    const LibraryHandle library(LoadLibraryA("COMCTL32.DLL"));
    if (!library) return;
    using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto initialise = reinterpret_cast<InitCommonControlsExFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(library.get(), "InitCommonControlsEx")));
    if (initialise) {
        const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES};
        initialise(&classes);
    } else {
        InitCommonControls();
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Libraries loaded from now on come from the system folder only, never a DLL planted beside the program.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    InitialiseCommonControls();
    CreateMainWindow(nullptr);
    return 0;
}
