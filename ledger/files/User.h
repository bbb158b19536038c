// How the commands talk to the user: the windows supply the dialogs and
// message boxes, the tests a script. Texts are UTF-8, like every text inside
// the program (see ledger/files/FileSystem.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cofrelo {

class User {
public:
    virtual ~User() = default;
    // The file-name dialog, showing `shown`: the name it stored, or none when
    // it was closed without storing one.
    virtual std::optional<std::string> AskFileName(std::string_view shown) = 0;
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

}  // namespace cofrelo
