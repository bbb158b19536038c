#include "calculator/win32/CalculatorWindow.h"

#include <cstdlib>

// Ratiolo takes no command line: the program is its window.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return ShowCalculator(nullptr) == -1 ? EXIT_FAILURE : EXIT_SUCCESS;
}
