// The ledger in memory: the 162-byte movement record (also the record of the
// ledger file), the fixed-capacity table of movements and the running balance.
#pragma once

#include "data/NumberText.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

enum class MovementKind : std::int32_t { Saving = 0, Expense = 1, Comment = 2 };

// Fixed-length single-byte text fields: no terminator, padded with spaces.
template <std::size_t Width>
using FixedText = std::array<char, Width>;

// Copies at most Width characters and fills the rest of the field with spaces.
template <std::size_t Width>
void StoreFixedText(FixedText<Width>& field, std::string_view text)
{
    const std::size_t copied = text.size() < Width ? text.size() : Width;
    for (std::size_t i = 0; i < Width; ++i) field[i] = i < copied ? text[i] : ' ';
}

template <std::size_t Width>
std::string_view FieldText(const FixedText<Width>& field)
{
    return {field.data(), Width};
}

// The text without the spaces (and only spaces) at both ends.
std::string_view TrimSpaces(std::string_view text);

inline constexpr std::size_t DateTextWidth = 14;
inline constexpr std::size_t DescriptionWidth = 100;

// A 32-bit integer stored as four little-endian bytes, so that the record has
// no alignment of its own and lies in memory exactly as in the file.
class LittleEndianInt32 {
public:
    LittleEndianInt32& operator=(std::int32_t value)
    {
        const auto bits = static_cast<std::uint32_t>(value);
        for (std::size_t i = 0; i < 4; ++i) bytes_[i] = static_cast<unsigned char>(bits >> (8 * i));
        return *this;
    }
    operator std::int32_t() const
    {
        std::uint32_t bits = 0;
        for (std::size_t i = 0; i < 4; ++i) bits |= std::uint32_t{bytes_[i]} << (8 * i);
        return static_cast<std::int32_t>(bits);
    }

private:
    std::array<unsigned char, 4> bytes_;
};

// One ledger line, byte for byte the record of the ledger file.
struct Movement {
    FixedText<DateTextWidth> DateText;
    FixedText<DescriptionWidth> Description;
    FixedText<AmountTextWidth> AmountText;   // "+150", "-30" or "*" for a comment
    FixedText<AmountTextWidth> BalanceText;  // PlainNumberText of the balance after the line, or "*"
    LittleEndianInt32 Kind;                  // a MovementKind; files may hold any value
};

inline constexpr std::size_t MovementSize = 162;
static_assert(sizeof(Movement) == MovementSize);
static_assert(offsetof(Movement, Description) == 14 && offsetof(Movement, AmountText) == 114 &&
              offsetof(Movement, BalanceText) == 136 && offsetof(Movement, Kind) == 158);

// Inserting stops at LedgerCapacity; the table has one slot more, which only a
// ledger file can fill.
inline constexpr std::int32_t LedgerCapacity = 36500;
inline constexpr std::int32_t LedgerSlots = LedgerCapacity + 1;

struct Ledger {
    std::unique_ptr<Movement[]> Movements;  // LedgerSlots records, reserved once per reset
    std::int32_t Count = 0;
    double CurrentBalance = 0;  // the balance after the last non-comment movement

    Ledger();
};

// Fresh storage, no movements, balance 0.
void ResetLedger(Ledger& ledger);

// Stores the movement after the last one. The caller makes sure that the count
// is below LedgerCapacity and has already updated CurrentBalance.
void AppendMovement(Ledger& ledger, const Movement& movement);

// Comment lines are recognised by their balance "*", whatever their Kind says.
bool IsCommentLine(const Movement& movement);

// The balance after the last non-comment movement, as stored in it (balances
// are taken as they stand in the records, not recomputed from the amounts).
double StoredBalance(const Ledger& ledger);

// The texts of the "Importe" and "Liquido" columns, 22 characters each.
struct DisplayTexts {
    std::string Amount;
    std::string Balance;
};
DisplayTexts MovementDisplayTexts(const Movement& movement, bool american);

// A new line with its running balance: a saving adds to the balance, an expense
// subtracts from it, a comment leaves it. The balance is kept as the value of
// its 15-digit text, so rounding residues never pile up. Appends the line (the
// caller has checked the count and, for an expense, the balance) and returns it.
const Movement& AppendNewLine(Ledger& ledger, MovementKind kind, std::string_view dateText,
                              std::string_view description, std::string_view amountText);

// Why the insert dialog refuses a new line, in the order it checks.
enum class LineRefusal { None, NotDigits, OutOfRange, ExpenseAboveBalance, LedgerFull };

inline constexpr double LargestAmount = 1000000000;

// amountText is the amount as typed, already cut to its 22-character field.
LineRefusal CheckNewLine(const Ledger& ledger, MovementKind kind, std::string_view amountText);
