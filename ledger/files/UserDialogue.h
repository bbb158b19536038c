// How the commands talk to the user: the window supplies the dialogs, the
// tests a script. Texts are UTF-8, like every text inside the program (see
// files/FileSystem.h).
#pragma once

#include <string>
#include <string_view>

class UserDialogue {
public:
    virtual ~UserDialogue() = default;
    // The file-name dialog: leaves the accepted name in ledgerFileName, or the
    // name untouched when the dialog is closed without accepting.
    virtual void AskFileName(std::string& ledgerFileName) = 0;
    // A message with the OK button alone.
    virtual void Tell(std::string_view text) = 0;
    // A question with Yes (the default button) and No; true for Yes.
    virtual bool AskYesNo(std::string_view text) = 0;
};

// Which file failed and the system's own reason, under the command's headline.
inline std::string FailureText(std::string_view headline, std::string_view path, std::string_view reason)
{
    return std::string(headline) + "\r\n" + std::string(path) + "\r\n" + std::string(reason);
}
