#include "data/Ledger.h"

#include <algorithm>

namespace {

constexpr std::string_view CommentMark = "*";
const std::string CommentDisplayText(AmountTextWidth, '*');

std::string WithoutSpaces(std::string_view text)
{
    std::string result;
    std::copy_if(text.begin(), text.end(), std::back_inserter(result), [](char c) { return c != ' '; });
    return result;
}

}  // namespace

std::string_view TrimSpaces(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

Ledger::Ledger()
{
    ResetLedger(*this);
}

void ResetLedger(Ledger& ledger)
{
    ledger.Movements = std::make_unique<Movement[]>(LedgerSlots);
    ledger.Count = 0;
    ledger.CurrentBalance = 0;
}

void AppendMovement(Ledger& ledger, const Movement& movement)
{
    ledger.Movements[ledger.Count] = movement;
    ++ledger.Count;
}

bool IsCommentLine(const Movement& movement)
{
    return TrimSpaces(FieldText(movement.BalanceText)) == CommentMark;
}

double StoredBalance(const Ledger& ledger)
{
    for (std::int32_t i = ledger.Count - 1; i >= 0; --i)
        if (!IsCommentLine(ledger.Movements[i])) return ParseNumber(FieldText(ledger.Movements[i].BalanceText));
    return 0;
}

DisplayTexts MovementDisplayTexts(const Movement& movement, bool american)
{
    if (IsCommentLine(movement)) return {CommentDisplayText, CommentDisplayText};
    return {FormatAmount(ParseNumber(FieldText(movement.AmountText)), american),
            FormatAmount(ParseNumber(FieldText(movement.BalanceText)), american)};
}

const Movement& AppendNewLine(Ledger& ledger, MovementKind kind, std::string_view dateText,
                              std::string_view description, std::string_view amountText)
{
    Movement movement{};
    StoreFixedText(movement.DateText, dateText);
    StoreFixedText(movement.Description, description);
    movement.Kind = static_cast<std::int32_t>(kind);

    if (kind == MovementKind::Comment) {
        StoreFixedText(movement.AmountText, CommentMark);
        StoreFixedText(movement.BalanceText, CommentMark);
    } else {
        const double amount = ParseNumber(amountText);
        const bool saving = kind == MovementKind::Saving;
        const std::string balanceText = PlainNumberText(saving ? ledger.CurrentBalance + amount
                                                               : ledger.CurrentBalance - amount);
        ledger.CurrentBalance = ParseNumber(balanceText);
        StoreFixedText(movement.AmountText, (saving ? "+" : "-") + WithoutSpaces(amountText));
        StoreFixedText(movement.BalanceText, balanceText);
    }
    AppendMovement(ledger, movement);
    return ledger.Movements[ledger.Count - 1];
}


LineRefusal CheckNewLine(const Ledger& ledger, MovementKind kind, std::string_view amountText)
{
    // A comment's amount is checked too, although the dialog has disabled its box.
    if (!IsAmountText(amountText)) return LineRefusal::NotDigits;
    const double amount = ParseNumber(amountText);
    if (amount > LargestAmount || amount < 0) return LineRefusal::OutOfRange;
    if (kind == MovementKind::Expense && amount > ledger.CurrentBalance) return LineRefusal::ExpenseAboveBalance;
    if (ledger.Count >= LedgerCapacity) return LineRefusal::LedgerFull;
    return LineRefusal::None;
}
