// The ledger the benchmarks work on: full, with every kind of line.
#pragma once

#include "data/Ledger.h"

inline Ledger FullLedger()
{
    Ledger ledger;
    const MovementKind kinds[] = {MovementKind::Saving, MovementKind::Saving, MovementKind::Expense,
                                  MovementKind::Comment};
    for (std::int32_t i = 0; i < LedgerCapacity; ++i)
        AppendNewLine(ledger, kinds[i % 4], "05/12/2026", "Movimiento de prueba con una descripcion larga", "12.5");
    return ledger;
}
