#include "data/Ledger.h"
#include "support/Records.h"

#include <gtest/gtest.h>

namespace {

TEST(AppendNewLine, StoresTheFileRecordWithTheRunningBalance)
{
    using enum MovementKind;
    // The amount as typed, then the record's amount and balance texts and the balance after it.
    const struct { MovementKind kind; const char *typed, *amountText, *balanceText; double balanceAfter; } steps[] = {
        {Saving, "0.1", "+0.1", ".1", 0.1},
        {Saving, "0.2", "+0.2", ".3", 0.3},  // exactly the value of ".3", no residue
        {Comment, "12", "*", "*", 0.3}, {Saving, " 150 ", "+150", "150.3", 150.3},
        {Expense, "150.3", "-150.3", "0", 0},  // the whole balance may go
        {Saving, "", "+", "0", 0},  // an empty amount is 0
        {Saving, "007", "+007", "7", 7},  // kept as typed
        {Saving, "1.2.3", "+1.2.3", "8.2", 8.2}, {Expense, "+.5", "-+.5", "7.7", 7.7},
    };
    // Texts longer than their fields are cut: the date to 14 characters, the description to 100.
    const std::string date = "Wednesday, 5 December 2026", description(120, 'd');
    Ledger ledger;
    for (const auto& step : steps) {
        const Movement& line = AppendNewLine(ledger, step.kind, date, description, step.typed);
        const std::string record(reinterpret_cast<const char*>(&line), MovementSize);
        EXPECT_EQ(record, Record(date.substr(0, 14), std::string(100, 'd'), step.amountText, step.balanceText,
                                 static_cast<std::int32_t>(step.kind))) << step.typed;
        EXPECT_EQ(ledger.CurrentBalance, step.balanceAfter) << step.typed;
    }
    EXPECT_EQ(LedgerBytes(ledger).size(), std::size(steps) * MovementSize);
    const Movement& cut = AppendNewLine(ledger, Saving, date, "", std::string(22, '1'));
    EXPECT_EQ(FieldText(cut.AmountText), "+" + std::string(21, '1'));  // cut to 22 characters, sign included
}

// A comment line is one whose balance text is "*", blanks aside, whatever its kind.
TEST(StoredBalance, IsTheBalanceOfTheLastNonCommentLineAsStored)
{
    const auto withBalance = [](const char* balance) { return SavingRecord + Record("", "", "+1", balance, 0); };
    const std::pair<std::string, double> cases[] = {
        {"", 0}, {CommentRecord, 0}, {SavingRecord + CommentRecord + CommentRecord, 1250.5},
        {SavingRecord + Record("", "", "+5", "99.5", 0) + CommentRecord, 99.5},  // not recomputed
        {ExpenseRecord + SavingRecord, 1250.5}, {SavingRecord + Record("", "", "*", "7", 2), 7},
        {withBalance(" * "), 1250.5}, {withBalance("**"), 0}, {withBalance("*5"), 0}, {withBalance("2"), 2},
    };
    for (const auto& [records, expected] : cases) EXPECT_EQ(StoredBalance(LedgerOf(records)), expected);
}

TEST(CheckNewLine, RefusesInTheDialogsOrder)
{
    using enum MovementKind;
    using enum LineRefusal;
    Ledger ledger = LedgerOf(Record("05/12/2026", "x", "+100", "100", 0));
    const struct { MovementKind kind; const char* typed; std::int32_t count; LineRefusal expected; } cases[] = {
        {Saving, "-5", 1, NotDigits}, {Saving, "1000000000.01", 1, OutOfRange}, {Saving, "1000000000", 1, None},
        {Expense, "100.01", 1, ExpenseAboveBalance}, {Expense, "100", 1, None}, {Saving, "", 1, None},
        {Comment, "500", 1, None}, {Saving, "1", LedgerCapacity - 1, None}, {Comment, "", LedgerCapacity, LedgerFull},
        // The amount is checked although the box is disabled, and before the room; a file may fill the spare slot.
        {Comment, "12a", 1, NotDigits}, {Expense, "1e3", LedgerCapacity, NotDigits},
        {Expense, "101", LedgerCapacity, ExpenseAboveBalance}, {Saving, "1", LedgerSlots, LedgerFull},
    };
    for (const auto& c : cases) {
        ledger.Count = c.count;
        EXPECT_EQ(CheckNewLine(ledger, c.kind, c.typed), c.expected) << c.typed << ", " << c.count;
    }
}

}  // namespace
