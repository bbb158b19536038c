#include "ledger/data/Ledger.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

using namespace cofrelo;

namespace {

TEST(LedgerAppend, StoresTheFileRecordWithTheRunningBalance)
{
    using enum MovementKind;
    // The amount as typed, then the record's amount and balance texts and the balance after it.
    const struct { MovementKind kind; const char *typed, *amountText, *balanceText; double balanceAfter; } steps[] = {
        {Saving, "0.1", "+0.1", ".1", 0.1}, {Saving, "0.2", "+0.2", ".3", 0.3},  // exactly the value of ".3"
        {Comment, "12", "*", "*", 0.3}, {Saving, " 150 ", "+150", "150.3", 150.3},
        {Expense, "150.3", "-150.3", "0", 0},  // the whole balance may go
        {Saving, "", "+", "0", 0},  // an empty amount is 0
        {Saving, "007", "+007", "7", 7},  // kept as typed
        // The amount text cut to 22 characters, sign included.
        {Saving, "0.11111111111111111111", "+0.1111111111111111111", "7.11111111111111", 7.11111111111111}};
    // Texts longer than their fields are cut: the date to 14 characters, the description to 100.
    const std::string date = "Wednesday, 5 December 2026", description(120, 'd');
    Ledger ledger;
    for (const auto& step : steps) {
        ASSERT_EQ(ledger.Append({step.kind, date, description, step.typed}), LineRefusal::None) << step.typed;
        const std::string record(reinterpret_cast<const char*>(&ledger.Last()), MovementSize);
        EXPECT_EQ(record, Record(date.substr(0, 14), std::string(100, 'd'), step.amountText, step.balanceText,
                                 static_cast<std::int32_t>(step.kind))) << step.typed;
        EXPECT_EQ(ledger.CurrentBalance(), step.balanceAfter) << step.typed;
    }
    EXPECT_EQ(ledger.Count(), static_cast<std::int32_t>(std::size(steps)));
    ledger.Reset();
    EXPECT_EQ(ledger.Count(), 0);
    EXPECT_EQ(ledger.CurrentBalance(), 0);
}

// A comment line is one whose balance text is "*", blanks aside, whatever its kind.
TEST(LedgerLoad, TakesTheBalanceOfTheLastNonCommentLineAsStored)
{
    const auto withBalance = [](const char* balance) { return SavingRecord + Record("", "", "+1", balance, 0); };
    const std::pair<std::string, double> cases[] = {
        {ExpenseRecord + SavingRecord, 1250.5}, {SavingRecord + CommentRecord + CommentRecord, 1250.5},
        {CommentRecord, 0}, {SavingRecord + Record("", "", "+5", "99.5", 0) + CommentRecord, 99.5},  // not recomputed
        {SavingRecord + Record("", "", "*", "7", 2), 7}, {withBalance(" * "), 1250.5}, {withBalance("*5"), 0}};
    for (const auto& [records, expected] : cases) EXPECT_EQ(LedgerOf(records).CurrentBalance(), expected);
}

// The refusals in the dialog's order, and what the user is told for each.
TEST(LedgerCheck, RefusesInTheDialogsOrder)
{
    using enum MovementKind;
    using enum LineRefusal;
    const std::string record = Record("05/12/2026", "x", "+100", "100", 0);
    const Ledger one = LedgerOf(record), almostFull = LedgerOf(Repeated(record, LedgerCapacity - 1));
    Ledger full = LedgerOf(Repeated(record, LedgerCapacity));
    const Ledger spareFilled = LedgerOf(Repeated(record, LedgerSlots));
    const struct { MovementKind kind; const char* typed; const Ledger& ledger; LineRefusal expected; } cases[] = {
        {Saving, "-5", one, NotDigits}, {Saving, "1000000000.01", one, OutOfRange}, {Saving, "1000000000", one, None},
        {Expense, "100.01", one, ExpenseAboveBalance}, {Expense, "100", one, None}, {Saving, "1", almostFull, None},
        // The amount is checked although the box is disabled, and before the room; a file may fill the spare slot.
        {Comment, "12a", one, NotDigits}, {Expense, "1e3", full, NotDigits}, {Comment, "", full, LedgerFull},
        {Expense, "101", full, ExpenseAboveBalance}, {Saving, "1", spareFilled, LedgerFull}};
    const std::pair<LineRefusal, const char*> texts[] = {
        {None, ""}, {NotDigits, "Tienes que escribir solo numeros, y decimales, es un punto \".\" \r\nGRACIAS !!!"},
        {OutOfRange, "maximo permitido 1.000.000.000'00\r\nminimo permitido 0"},
        {ExpenseAboveBalance, "No podemos quitar mas de lo que tenemos ..."},
        {LedgerFull, "Memoria llena ...\r\nSintiendolo mucho NO puedo insertar mas ..."}};
    for (const auto& c : cases)
        EXPECT_EQ(c.ledger.Check({c.kind, "", "", c.typed}), c.expected) << c.typed << ", " << c.ledger.Count();
    for (const auto& [refusal, text] : texts) EXPECT_EQ(RefusalText(refusal), text);
    EXPECT_EQ(full.Append({Comment, "", "", ""}), LedgerFull);
    EXPECT_EQ(full.Count(), LedgerCapacity);
    // Loading more records than the table has slots is refused, the ledger left as it was.
    EXPECT_FALSE(full.Load(Repeated(record, LedgerSlots + 1)));
    EXPECT_EQ(full.Count(), LedgerCapacity);
    EXPECT_TRUE(full.Load(record));
    EXPECT_EQ(full.Count(), 1);
}

}  // namespace
