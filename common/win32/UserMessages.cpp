#include "common/win32/UserMessages.h"

#include "common/platform/TextConversions.h"

#include <string>

namespace common {

void TellUser(HWND owner, std::wstring_view title, std::string_view text)
{
    MessageBoxW(owner, ShownWideFromUtf8(text).c_str(), std::wstring(title).c_str(), MB_OK);
}

bool AskUserYesNo(HWND owner, std::wstring_view title, std::string_view text)
{
    return MessageBoxW(owner, ShownWideFromUtf8(text).c_str(), std::wstring(title).c_str(),
                       MB_YESNO | MB_DEFBUTTON1) == IDYES;
}

}  // namespace common
