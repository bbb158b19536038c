#include "shell/MessageBoxDialogue.h"

#include "common/win32/AnsiText.h"
#include "files/win32/FileNameDialog.h"
#include "ledger/CofreloIds.h"

using cofrelo::MessageTitle;

// No icon: the program's messages have always come without one.
void TellUser(HWND owner, std::string_view text)
{
    MessageBoxW(owner, ShownWideFromUtf8(text).c_str(), MessageTitle, MB_OK);
}

void MessageBoxDialogue::AskFileName(std::string& ledgerFileName)
{
    ::AskFileName(owner_, ledgerFileName);
}

void MessageBoxDialogue::Tell(std::string_view text)
{
    TellUser(owner_, text);
}

bool MessageBoxDialogue::AskYesNo(std::string_view text)
{
    return MessageBoxW(owner_, ShownWideFromUtf8(text).c_str(), MessageTitle, MB_YESNO | MB_DEFBUTTON1) == IDYES;
}
