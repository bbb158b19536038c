#include "calculator/win32/CalculatorWindow.h"

#include <cstdlib>

// Ratiolo takes no command line: the program is its window.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Libraries loaded from now on come from the system folder only, never a DLL planted beside the program.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    return ratiolo::ShowCalculator(nullptr) ? EXIT_SUCCESS : EXIT_FAILURE;
}
