#include "ledger/data/Ledger.h"

#include <algorithm>

namespace cofrelo {

namespace {

constexpr std::string_view CommentMark = "*";
const std::string CommentDisplayText(AmountTextWidth, '*');

std::string WithoutSpaces(std::string_view text)
{
    std::string result;
    std::copy_if(text.begin(), text.end(), std::back_inserter(result), [](char c) { return c != ' '; });
    return result;
}

// The balance after the last non-comment movement, as stored in it.
double StoredBalance(std::span<const Movement> movements)
{
    for (auto movement = movements.rbegin(); movement != movements.rend(); ++movement)
        if (!IsCommentLine(*movement)) return ParseNumber(FieldText(movement->BalanceText));
    return 0;
}

}  // namespace

std::string_view TrimSpaces(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsCommentLine(const Movement& movement)
{
    return TrimSpaces(FieldText(movement.BalanceText)) == CommentMark;
}

DisplayTexts MovementDisplayTexts(const Movement& movement, bool american)
{
    if (IsCommentLine(movement)) return {CommentDisplayText, CommentDisplayText};
    return {FormatAmount(ParseNumber(FieldText(movement.AmountText)), american),
            FormatAmount(ParseNumber(FieldText(movement.BalanceText)), american)};
}

std::string_view RefusalText(LineRefusal refusal)
{
    switch (refusal) {
    case LineRefusal::NotDigits:
        return "Tienes que escribir solo numeros, y decimales, es un punto \".\" \r\nGRACIAS !!!";
    case LineRefusal::OutOfRange:
        return "maximo permitido 1.000.000.000'00\r\nminimo permitido 0";
    case LineRefusal::ExpenseAboveBalance:
        return "No podemos quitar mas de lo que tenemos ...";
    case LineRefusal::LedgerFull:
        return "Memoria llena ...\r\nSintiendolo mucho NO puedo insertar mas ...";
    case LineRefusal::None:
        break;
    }
    return {};
}

void Ledger::Reset()
{
    movements_ = std::make_unique<Movement[]>(LedgerSlots);
    count_ = 0;
    currentBalance_ = 0;
}

LineRefusal Ledger::Check(const NewLine& line) const
{
    constexpr double LargestAmount = 1000000000;
    if (!IsAmountText(line.AmountText)) return LineRefusal::NotDigits;
    const double amount = ParseNumber(line.AmountText);
    if (amount > LargestAmount || amount < 0) return LineRefusal::OutOfRange;
    if (line.Kind == MovementKind::Expense && amount > currentBalance_) return LineRefusal::ExpenseAboveBalance;
    if (count_ >= LedgerCapacity) return LineRefusal::LedgerFull;
    return LineRefusal::None;
}

LineRefusal Ledger::Append(const NewLine& line)
{
    const LineRefusal refusal = Check(line);
    if (refusal != LineRefusal::None) return refusal;

    Movement& movement = movements_[count_];
    movement = {};
    StoreFixedText(movement.DateText, line.DateText);
    StoreFixedText(movement.Description, line.Description);
    movement.Kind = static_cast<std::int32_t>(line.Kind);
    if (line.Kind == MovementKind::Comment) {
        StoreFixedText(movement.AmountText, CommentMark);
        StoreFixedText(movement.BalanceText, CommentMark);
    } else {
        const double amount = ParseNumber(line.AmountText);
        const bool saving = line.Kind == MovementKind::Saving;
        const std::string balanceText = PlainNumberText(saving ? currentBalance_ + amount : currentBalance_ - amount);
        currentBalance_ = ParseNumber(balanceText);
        StoreFixedText(movement.AmountText, (saving ? "+" : "-") + WithoutSpaces(line.AmountText));
        StoreFixedText(movement.BalanceText, balanceText);
    }
    ++count_;
    return LineRefusal::None;
}

bool Ledger::Load(std::span<const char> records)
{
    const std::size_t count = records.size() / MovementSize;
    if (count > static_cast<std::size_t>(LedgerSlots)) return false;
    // The table is reused: slots beyond the count are never read, and a fresh
    // 5.9 MB table for every file would cost more than the reading.
    std::copy_n(records.begin(), count * MovementSize, reinterpret_cast<char*>(movements_.get()));
    count_ = static_cast<std::int32_t>(count);
    currentBalance_ = StoredBalance(Movements());
    return true;
}

std::span<const char> Ledger::RecordBytes() const
{
    return {reinterpret_cast<const char*>(movements_.get()), static_cast<std::size_t>(count_) * MovementSize};
}

}  // namespace cofrelo
