// How Cofrelo talks to the user: the file-name dialog and message boxes titled
// "Programador". The commands reach them through UserDialogue; texts are UTF-8.
#pragma once

#include "files/DocumentCommands.h"

#include <windows.h>

// A message with the OK button alone and no icon, modal to owner.
void TellUser(HWND owner, std::string_view text);

class MessageBoxDialogue final : public UserDialogue {
public:
    explicit MessageBoxDialogue(HWND owner) : owner_(owner) {}

    void AskFileName(std::string& ledgerFileName) override;
    void Tell(std::string_view text) override;
    bool AskYesNo(std::string_view text) override;

private:
    HWND owner_;
};
