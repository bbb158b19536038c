// Ledgers made straight from fuzz bytes, the way a damaged ledger file would
// give them: any byte in any field, any Kind.
#pragma once

#include "data/Ledger.h"

#include <algorithm>
#include <cstring>
#include <string_view>

// Makes the ledger hold the whole records at the front of `records`, as many
// as inserting could store, and the balance a load would take from them. The
// storage is reused: reserving a fresh table for every input would cost more
// than the code under test.
inline void FillLedger(Ledger& ledger, std::string_view records)
{
    const std::size_t count = std::min(records.size() / MovementSize, static_cast<std::size_t>(LedgerCapacity));
    std::memcpy(ledger.Movements.get(), records.data(), count * MovementSize);
    ledger.Count = static_cast<std::int32_t>(count);
    ledger.CurrentBalance = StoredBalance(ledger);
}
