#include "tests/support/Records.h"

#include "ledger/settings/ConfigurationFile.h"

#include <algorithm>

namespace cofrelo {

std::string Field(std::string text, std::size_t width)
{
    text.resize(width, ' ');
    return text;
}

// Written out here rather than taken from the product, so that a fault there shows.
std::string LittleEndian(std::uint32_t value)
{
    return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
            static_cast<char>(value >> 24)};
}

std::string Record(const std::string& date, const std::string& description, const std::string& amount,
                   const std::string& balance, std::int32_t kind)
{
    return Field(date, 14) + Field(description, 100) + Field(amount, 22) + Field(balance, 22) +
           LittleEndian(static_cast<std::uint32_t>(kind));
}

std::string Repeated(const std::string& text, std::size_t times)
{
    std::string repeated;
    for (; times > 0; --times) repeated += text;
    return repeated;
}

Ledger LedgerOf(std::string_view records)
{
    Ledger ledger;
    ledger.Load({records.data(), std::min(records.size(), static_cast<std::size_t>(LedgerSlots) * MovementSize)});
    return ledger;
}

Ledger FullLedger()
{
    Ledger ledger;
    using enum MovementKind;
    const MovementKind kinds[] = {Saving, Saving, Expense, Comment};
    for (std::int32_t i = 0; i < LedgerCapacity; ++i)
        ledger.Append({kinds[i % 4], "05/12/2026", "Movimiento de prueba con una descripcion larga", "12.5"});
    return ledger;
}

std::string SettingsRecordBytes(const Settings& s, char rest)
{
    using enum MovementKind;
    std::string record;
    for (const MovementKind kind : {Expense, Saving, Comment}) record += LittleEndian(s.ColorsOf(kind).Text);
    for (const MovementKind kind : {Expense, Saving, Comment}) record += LittleEndian(s.ColorsOf(kind).Back);
    record += s.DataFolder + '\0';
    record.resize(SettingsRecordSize, rest);
    return record;
}

}  // namespace cofrelo
