// "Insertar Datos": the dialog in which the user enters one new line.
#pragma once

#include "ledger/data/Ledger.h"

#include <windows.h>

#include <optional>

namespace cofrelo {

// What the user chose: the kind last selected, which the next opening offers
// again, and the line accepted, if any. Every refusal but a full ledger keeps
// the dialog open with its texts, so an accepted line passes the ledger's checks.
struct InsertChoice {
    MovementKind Kind;
    std::optional<NewLine> Line;
};

// Runs the dialog modally to its owner, offering the kind `preselected`. The
// ledger is only read, for its checks.
InsertChoice ShowInsertMovementDialog(HWND owner, const Ledger& ledger, MovementKind preselected);

}  // namespace cofrelo
