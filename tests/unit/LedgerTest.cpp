#include "data/Ledger.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string Field(std::string text, std::size_t width)
{
    text.resize(width, ' ');
    return text;
}

std::string Bytes(const Movement& movement)
{
    return std::string(reinterpret_cast<const char*>(&movement), sizeof movement);
}

const Movement& Add(Ledger& ledger, MovementKind kind, std::string_view amount, std::string_view description = "x")
{
    return AppendNewLine(ledger, kind, "05/12/2026", description, amount);
}

TEST(Movement, IsStoredAsTheLedgerFileRecord)
{
    Ledger ledger;
    const Movement& saving = Add(ledger, MovementKind::Saving, "1250.5", "Nomina");
    const std::string expected = Field("05/12/2026", 14) + Field("Nomina", 100) + Field("+1250.5", 22) +
                                 Field("1250.5", 22) + std::string("\0\0\0\0", 4);
    EXPECT_EQ(Bytes(saving), expected);

    const Movement& comment = Add(ledger, MovementKind::Comment, "");
    EXPECT_EQ(Bytes(comment).substr(114), Field("*", 22) + Field("*", 22) + std::string("\2\0\0\0", 4));
}

TEST(Ledger, StartsEmptyWithRoomForOneSlotBeyondCapacity)
{
    Ledger ledger;
    EXPECT_EQ(ledger.Count, 0);
    EXPECT_EQ(ledger.CurrentBalance, 0);
    ledger.Movements[LedgerSlots - 1].Kind = 7;  // the last slot exists (ASan would object otherwise)
    Add(ledger, MovementKind::Saving, "5");
    ResetLedger(ledger);
    EXPECT_EQ(ledger.Count, 0);
    EXPECT_EQ(ledger.CurrentBalance, 0);
}

struct LineStep {
    MovementKind kind;
    const char* typed;
    const char* amountText;
    const char* balanceText;
    double balanceAfter;
};

TEST(AppendNewLine, KeepsTheRunningBalance)
{
    const LineStep steps[] = {
        {MovementKind::Saving, "0.1", "+0.1", ".1", 0.1},
        {MovementKind::Saving, "0.2", "+0.2", ".3", 0.3},  // exactly the value of ".3", no residue
        {MovementKind::Comment, "12", "*", "*", 0.3},
        {MovementKind::Saving, " 150 ", "+150", "150.3", 150.3},
        {MovementKind::Expense, "150.3", "-150.3", "0", 0},  // the whole balance may go
        {MovementKind::Saving, "", "+", "0", 0},               // an empty amount is 0
        {MovementKind::Saving, "007", "+007", "7", 7},         // kept as typed
        {MovementKind::Saving, "1.2.3", "+1.2.3", "8.2", 8.2},
        {MovementKind::Expense, "+.5", "-+.5", "7.7", 7.7},
    };
    Ledger ledger;
    for (const auto& step : steps) {
        const Movement& line = Add(ledger, step.kind, step.typed);
        EXPECT_EQ(FieldText(line.AmountText), Field(step.amountText, 22)) << step.typed;
        EXPECT_EQ(FieldText(line.BalanceText), Field(step.balanceText, 22)) << step.typed;
        EXPECT_EQ(std::int32_t{line.Kind}, static_cast<std::int32_t>(step.kind));
        EXPECT_EQ(ledger.CurrentBalance, step.balanceAfter) << step.typed;
        EXPECT_EQ(ledger.CurrentBalance, StoredBalance(ledger));
    }
    EXPECT_EQ(ledger.Count, static_cast<std::int32_t>(std::size(steps)));
}

TEST(AppendNewLine, CutsLongTexts)
{
    Ledger ledger;
    const Movement& line = AppendNewLine(ledger, MovementKind::Saving, "Wednesday, 5 December 2026",
                                         std::string(120, 'd'), std::string(22, '1'));
    EXPECT_EQ(FieldText(line.DateText), "Wednesday, 5 D");
    EXPECT_EQ(FieldText(line.Description), std::string(100, 'd'));
    EXPECT_EQ(FieldText(line.AmountText), "+" + std::string(21, '1'));
}

TEST(IsCommentLine, LooksAtTheBalanceTextOnly)
{
    const std::pair<const char*, bool> cases[] = {
        {"*", true}, {" * ", true}, {"**", false}, {"0", false}, {"", false}, {"*5", false},
    };
    for (const auto& [balance, expected] : cases) {
        Movement movement{};
        StoreFixedText(movement.BalanceText, balance);
        movement.Kind = static_cast<std::int32_t>(MovementKind::Saving);
        EXPECT_EQ(IsCommentLine(movement), expected) << '"' << balance << '"';
    }
}

TEST(StoredBalance, IsTheBalanceOfTheLastNonCommentLineAsStored)
{
    Ledger ledger;
    EXPECT_EQ(StoredBalance(ledger), 0);
    Add(ledger, MovementKind::Comment, "");
    EXPECT_EQ(StoredBalance(ledger), 0);
    Add(ledger, MovementKind::Saving, "40");
    StoreFixedText(ledger.Movements[1].BalanceText, "99.5");  // stored balances are not recomputed
    Add(ledger, MovementKind::Comment, "");
    EXPECT_EQ(StoredBalance(ledger), 99.5);
}

TEST(MovementDisplayTexts, FormatsAmountsOrShowsAsterisks)
{
    Ledger ledger;
    const Movement& saving = Add(ledger, MovementKind::Saving, "1250.5");
    const Movement& expense = Add(ledger, MovementKind::Expense, "30");
    const Movement& comment = Add(ledger, MovementKind::Comment, "");
    const std::string stars(22, '*');
    const struct {
        const Movement& movement;
        bool american;
        const char* amount;
        const char* balance;
    } cases[] = {
        {saving, false, "1.250'50", "1.250'50"},
        {saving, true, "1,250.50", "1,250.50"},
        {expense, false, "-30'00", "1.220'50"},
        {comment, false, stars.c_str(), stars.c_str()},
    };
    for (const auto& c : cases) {
        const DisplayTexts texts = MovementDisplayTexts(c.movement, c.american);
        EXPECT_EQ(texts.Amount, Field(c.amount, 22));
        EXPECT_EQ(texts.Balance, Field(c.balance, 22));
    }
}

TEST(CheckNewLine, RefusesInTheDialogsOrder)
{
    Ledger ledger;
    Add(ledger, MovementKind::Saving, "100");
    const struct {
        MovementKind kind;
        const char* typed;
        LineRefusal expected;
    } cases[] = {
        {MovementKind::Saving, "12a", LineRefusal::NotDigits},
        {MovementKind::Comment, "12a", LineRefusal::NotDigits},  // checked although the box is disabled
        {MovementKind::Saving, "-5", LineRefusal::NotDigits},
        {MovementKind::Saving, "1,5", LineRefusal::NotDigits},
        {MovementKind::Saving, "1 500", LineRefusal::NotDigits},
        {MovementKind::Saving, "1000000000.01", LineRefusal::OutOfRange},
        {MovementKind::Expense, "1000000001", LineRefusal::OutOfRange},
        {MovementKind::Saving, "1000000000", LineRefusal::None},
        {MovementKind::Expense, "100.01", LineRefusal::ExpenseAboveBalance},
        {MovementKind::Expense, "100", LineRefusal::None},
        {MovementKind::Saving, "", LineRefusal::None},
        {MovementKind::Comment, "", LineRefusal::None},
        {MovementKind::Comment, "500", LineRefusal::None},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckNewLine(ledger, c.kind, c.typed), c.expected) << c.typed;
}

TEST(CheckNewLine, RefusesAnyLineOnceTheLedgerIsFull)
{
    Ledger ledger;
    for (int i = 0; i < LedgerCapacity - 1; ++i) Add(ledger, MovementKind::Saving, "1");
    EXPECT_EQ(CheckNewLine(ledger, MovementKind::Saving, "1"), LineRefusal::None);
    Add(ledger, MovementKind::Saving, "1");
    EXPECT_EQ(ledger.Count, LedgerCapacity);
    EXPECT_EQ(CheckNewLine(ledger, MovementKind::Comment, ""), LineRefusal::LedgerFull);
    ledger.Count = LedgerSlots;  // a ledger file may fill the spare slot too
    EXPECT_EQ(CheckNewLine(ledger, MovementKind::Saving, "1"), LineRefusal::LedgerFull);
    // The amount is checked before the room, as the dialog does.
    EXPECT_EQ(CheckNewLine(ledger, MovementKind::Expense, "1e3"), LineRefusal::NotDigits);
}

}  // namespace
