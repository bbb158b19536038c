// The user of Cofrelo's file commands, as the windows meet them: the file-name
// dialog and message boxes titled "Programador", owned by the main window.
#pragma once

#include "ledger/files/User.h"

#include <windows.h>

namespace cofrelo {

class DialogUser final : public User {
public:
    explicit DialogUser(HWND owner) : owner_(owner) {}

    std::optional<std::string> AskFileName(std::string_view shown) override;
    void Tell(std::string_view text) override;
    bool AskYesNo(std::string_view text) override;

private:
    HWND owner_;
};

}  // namespace cofrelo
