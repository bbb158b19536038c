#include "ledger/files/win32/DialogUser.h"

#include "common/win32/UserMessages.h"
#include "ledger/CofreloIds.h"
#include "ledger/files/win32/FileNameDialog.h"

namespace cofrelo {

std::optional<std::string> DialogUser::AskFileName(std::string_view shown)
{
    return ShowFileNameDialog(owner_, shown);
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
