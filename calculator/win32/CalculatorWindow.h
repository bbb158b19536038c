// Ratiolo's only window: fill in two of gross amount, percentage and result,
// "Calcular" computes the third.
#pragma once

#include <windows.h>

namespace ratiolo {

// Runs the calculator window modally until "Salir" or the system's close ends
// it; false when it could not be created.
bool ShowCalculator(HWND owner);

}  // namespace ratiolo
