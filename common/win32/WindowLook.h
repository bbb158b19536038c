// What every window of both programs looks like beyond its template: the bold
// "MS Sans Serif" fonts it gives its controls and the icons of its caption.
#pragma once

#include "common/platform/Handles.h"

#include <windows.h>

namespace common {

// "MS Sans Serif" bold at the given size in points, as every window creates
// for its controls once they exist. It must outlive them.
FontHandle CreateBoldSansSerifFont(int points);

// Gives the font to every control of the window.
void SetFontOnControls(HWND window, HFONT font);

// The large and small icons of a window, loaded from the executable's icon
// group at the system's icon sizes (32 x 32 and 16 x 16 at 96 dpi, larger
// above); the window shows them until it is destroyed. A missing icon leaves
// the window without one; nothing is reported.
struct WindowIcons {
    IconHandle Large;
    IconHandle Small;
};
WindowIcons SetWindowIcons(HWND window, int iconResourceId);

}  // namespace common
