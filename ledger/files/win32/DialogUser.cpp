#include "ledger/files/win32/DialogUser.h"

#include "common/win32/UserMessages.h"
#include "ledger/CofreloIds.h"
#include "ledger/files/win32/FileNameDialog.h"

namespace cofrelo {

std::optional<std::string> DialogUser::AskFileName(std::string_view shown)
{
    std::optional<std::string> stored = ShowFileNameDialog(owner_, shown);
    // The main window went, and the dialog with it: the program is ending, and
    // the command must not go on with the name used last.
    if (!IsWindow(owner_)) return std::string();
    return stored;
}

void DialogUser::Tell(std::string_view text)
{
    common::TellUser(owner_, MessageTitle, text);
}

bool DialogUser::AskYesNo(std::string_view text)
{
    return common::AskUserYesNo(owner_, MessageTitle, text);
}

}  // namespace cofrelo
