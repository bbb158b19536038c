// Where a program or library lies, as the system reports it.
#pragma once

#include <windows.h>

#include <string>

namespace common {

// The whole path of the module's file in UTF-8, however long; empty when the
// system gives none. Null is the program itself.
std::string ModulePath(HMODULE module);

}  // namespace common
