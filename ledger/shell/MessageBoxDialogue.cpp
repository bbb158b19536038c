#include "MessageBoxDialogue.h"

#include "AnsiText.h"
#include "FileNameDialog.h"

namespace {

constexpr const wchar_t* MessageTitle = L"Programador";

}  // namespace

void MessageBoxDialogue::AskFileName(std::string& ledgerFileName)
{
    ::AskFileName(owner_, ledgerFileName);
}

// No icon: the program's messages have always come without one.
void MessageBoxDialogue::Tell(std::string_view text)
{
    MessageBoxW(owner_, ShownWideFromUtf8(text).c_str(), MessageTitle, MB_OK);
}

bool MessageBoxDialogue::AskYesNo(std::string_view text)
{
    return MessageBoxW(owner_, ShownWideFromUtf8(text).c_str(), MessageTitle, MB_YESNO | MB_DEFBUTTON1) == IDYES;
}
