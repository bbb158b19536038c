// How the file commands talk to the user in the program: the file-name dialog
// and message boxes titled "Programador", all modal to the main window.
#pragma once

#include "files/DocumentCommands.h"

#include <windows.h>

class MessageBoxDialogue final : public UserDialogue {
public:
    explicit MessageBoxDialogue(HWND owner) : owner_(owner) {}

    void AskFileName(std::string& ledgerFileName) override;
    void Tell(std::string_view text) override;
    bool AskYesNo(std::string_view text) override;

private:
    HWND owner_;
};
