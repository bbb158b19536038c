// "Nombre del fichero": asks for the bare document name that "Leer", "Grabar"
// and both exports work with.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace cofrelo {

// Shows the dialog modal to owner, showing `shown`. "Aceptar" stores the typed
// name (cut at 127 characters) and closes the dialog unless the name is empty.
// Returns the name stored last, an empty one included, or none when the system
// closed the dialog before any was stored.
std::optional<std::string> ShowFileNameDialog(HWND owner, std::string_view shown);

}  // namespace cofrelo
