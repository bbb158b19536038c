// The file-name dialog: asks for the bare document name that "Leer", "Grabar"
// and both exports work with.
#pragma once

#include <windows.h>

#include <string>

// Shows the dialog modal to owner, pre-filled with ledgerFileName. "Aceptar"
// stores the typed name (cut at 127 characters) and closes the dialog unless
// the name is empty; closing it through the system leaves the name untouched.
void AskFileName(HWND owner, std::string& ledgerFileName);
