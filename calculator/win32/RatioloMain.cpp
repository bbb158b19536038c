#include "calculator/win32/CalculatorWindow.h"

#include <cstdlib>

// Ratiolo takes no command line: the program is its window.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return ratiolo::ShowCalculator(nullptr) ? EXIT_SUCCESS : EXIT_FAILURE;
}
