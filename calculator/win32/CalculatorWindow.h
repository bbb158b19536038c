// Ratiolo's only window: fill in two of gross amount, percentage and result,
// "Calcular" computes the third.
#pragma once

#include <windows.h>

// Runs the calculator window modally and returns its result: 0 when "Salir"
// or the system close ended it, -1 when it could not be created.
int ShowCalculator(HWND owner);
