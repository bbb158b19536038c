// Movement records written field by field, the way the ledger file holds them,
// and ledgers made of such records.
#pragma once

#include "data/Ledger.h"

#include <cstdint>
#include <cstring>
#include <string>

// A text field as stored: cut or padded with spaces to its width.
inline std::string Field(std::string text, std::size_t width)
{
    text.resize(width, ' ');
    return text;
}

inline std::string Record(const std::string& date, const std::string& description, const std::string& amount,
                          const std::string& balance, std::int32_t kind)
{
    std::string kindBytes(4, '\0');
    for (std::size_t i = 0; i < 4; ++i) kindBytes[i] = static_cast<char>(static_cast<std::uint32_t>(kind) >> (8 * i));
    return Field(date, 14) + Field(description, 100) + Field(amount, 22) + Field(balance, 22) + kindBytes;
}

// The bytes of movements 0 to Count-1.
inline std::string LedgerBytes(const Ledger& ledger)
{
    return std::string(reinterpret_cast<const char*>(ledger.Movements.get()),
                       static_cast<std::size_t>(ledger.Count) * MovementSize);
}

// A ledger holding exactly the given whole records, its balance the last stored one.
inline Ledger LedgerOf(const std::string& records)
{
    Ledger ledger;
    std::memcpy(ledger.Movements.get(), records.data(), records.size());
    ledger.Count = static_cast<std::int32_t>(records.size() / MovementSize);
    ledger.CurrentBalance = StoredBalance(ledger);
    return ledger;
}
