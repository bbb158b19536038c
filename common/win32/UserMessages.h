// The one way both programs tell the user something or ask a yes/no question:
// a message box with the window's owner and the program's title, no icon.
#pragma once

#include <windows.h>

#include <string_view>

namespace common {

// A message with the OK button alone; the text is UTF-8.
void TellUser(HWND owner, std::wstring_view title, std::string_view text);

// A question with Yes (the default button) and No; true for Yes.
bool AskUserYesNo(HWND owner, std::wstring_view title, std::string_view text);

}  // namespace common
