// Cofrelo's main window: builds it, runs it modally until it is closed and
// returns its result (always 0).
#pragma once

#include <windows.h>

namespace cofrelo {

int CreateMainWindow(HWND parent);

}  // namespace cofrelo
