// The ledger in memory: the 162-byte movement record (also the record of the
// ledger file), the fixed-capacity table of movements and the running balance.
#pragma once

#include "common/LittleEndian.h"
#include "ledger/data/NumberText.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace cofrelo {

enum class MovementKind : std::int32_t { Saving = 0, Expense = 1, Comment = 2 };
inline constexpr std::size_t MovementKindCount = 3;

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

// A 32-bit integer kept as four little-endian bytes, so that the record has no
// alignment of its own and lies in memory exactly as in the file.
class LittleEndianInt32 {
public:
    LittleEndianInt32& operator=(std::int32_t value)
    {
        common::StoreLittleEndian32(bytes_.data(), static_cast<std::uint32_t>(value));
        return *this;
    }
    operator std::int32_t() const { return static_cast<std::int32_t>(common::LoadLittleEndian32(bytes_.data())); }

private:
    std::array<char, 4> bytes_;
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

// Comment lines are recognized by their balance "*", whatever their Kind says.
bool IsCommentLine(const Movement& movement);

// The texts of the "Importe" and "Liquido" columns, 22 characters each.
struct DisplayTexts {
    std::string Amount;
    std::string Balance;
};
DisplayTexts MovementDisplayTexts(const Movement& movement, bool american);

// A line as the user enters it in "Insertar Datos": the texts in the ANSI code
// page, the amount as typed and already cut to its 22-character field, which
// Check reads; the date and the description are cut as they are stored.
struct NewLine {
    MovementKind Kind = MovementKind::Saving;
    std::string DateText;
    std::string Description;
    std::string AmountText;
};

// Why a new line is refused, in the order the checks run.
enum class LineRefusal { None, NotDigits, OutOfRange, ExpenseAboveBalance, LedgerFull };

// What the user is told for a refusal ("" for None).
std::string_view RefusalText(LineRefusal refusal);

// Inserting stops at LedgerCapacity; the table has one slot more, which only a
// ledger file can fill.
inline constexpr std::int32_t LedgerCapacity = 36500;
inline constexpr std::int32_t LedgerSlots = LedgerCapacity + 1;

// The table of movements, in insertion (or file) order, and the running
// balance. Its count and balance change only through Reset, Append and Load.
class Ledger {
public:
    Ledger() { Reset(); }

    // Fresh storage for every slot, no movements, balance 0.
    void Reset();

    // Why the line would be refused; a comment's amount is checked too.
    LineRefusal Check(const NewLine& line) const;

    // Appends the line with its running balance unless Check refuses it: a
    // saving adds to the balance, an expense subtracts from it, a comment leaves
    // it. The balance is kept as the value of its 15-digit text, so rounding
    // residues never pile up.
    LineRefusal Append(const NewLine& line);

    // Replaces the movements by the whole records at the front of `records`
    // (1 to 161 bytes left at the end are ignored) and takes the balance the
    // last non-comment record stores: balances are read, not recomputed. More
    // records than the table has slots are refused, leaving the ledger as it was.
    bool Load(std::span<const char> records);

    std::int32_t Count() const { return count_; }
    // The balance after the last non-comment movement.
    double CurrentBalance() const { return currentBalance_; }
    std::span<const Movement> Movements() const { return {movements_.get(), static_cast<std::size_t>(count_)}; }
    const Movement& Last() const { return movements_[count_ - 1]; }
    // Movements 0 to Count-1 as the ledger file holds them.
    std::span<const char> RecordBytes() const;

private:
    std::unique_ptr<Movement[]> movements_;  // LedgerSlots records, reserved once per reset
    std::int32_t count_ = 0;
    double currentBalance_ = 0;
};

}  // namespace cofrelo
