#include "support/Records.h"

#include "settings/Settings.h"

#include <algorithm>
#include <cstring>

std::string Field(std::string text, std::size_t width)
{
    text.resize(width, ' ');
    return text;
}

std::string LittleEndian(std::uint32_t value)
{
    std::string bytes(4, '\0');
    for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<char>(value >> (8 * i));
    return bytes;
}

std::string Record(const std::string& date, const std::string& description, const std::string& amount,
                   const std::string& balance, std::int32_t kind)
{
    return Field(date, DateTextWidth) + Field(description, DescriptionWidth) + Field(amount, AmountTextWidth) +
           Field(balance, AmountTextWidth) + LittleEndian(static_cast<std::uint32_t>(kind));
}

std::string_view LedgerBytes(const Ledger& ledger)
{
    const auto size = static_cast<std::size_t>(ledger.Count) * MovementSize;
    return {reinterpret_cast<const char*>(ledger.Movements.get()), size};
}

void FillLedger(Ledger& ledger, std::string_view records)
{
    const std::size_t count = std::min(records.size() / MovementSize, static_cast<std::size_t>(LedgerSlots));
    std::memcpy(ledger.Movements.get(), records.data(), count * MovementSize);
    ledger.Count = static_cast<std::int32_t>(count);
    ledger.CurrentBalance = StoredBalance(ledger);
}

Ledger LedgerOf(std::string_view records)
{
    Ledger ledger;
    FillLedger(ledger, records);
    return ledger;
}

Ledger FullLedger()
{
    Ledger ledger;
    using enum MovementKind;
    const MovementKind kinds[] = {Saving, Saving, Expense, Comment};
    for (std::int32_t i = 0; i < LedgerCapacity; ++i)
        AppendNewLine(ledger, kinds[i % 4], "05/12/2026", "Movimiento de prueba con una descripcion larga", "12.5");
    return ledger;
}

std::string SettingsRecordBytes(const Settings& s, char rest)
{
    std::string record = LittleEndian(s.ExpenseTextColor) + LittleEndian(s.SavingTextColor) +
                         LittleEndian(s.CommentTextColor) + LittleEndian(s.ExpenseBackColor) +
                         LittleEndian(s.SavingBackColor) + LittleEndian(s.CommentBackColor) + s.DataFolder + '\0';
    record.resize(SettingsRecordSize, rest);
    return record;
}
