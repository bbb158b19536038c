// Ratiolo's window worked as a user does: two values in, "Calcular", the third
// out in red; anything else gets the message and black text everywhere.
#include "RatioloSession.h"

#include "Controls.h"
#include "Window.h"

#include <gtest/gtest.h>

#include <optional>

using namespace ratiolo;

namespace {

// A box that holds no text has no text colour to see; a digit typed into it
// takes the box's colour.
void ExpectTextColours(const Session& session, COLORREF gross, COLORREF percentage, COLORREF result)
{
    const COLORREF expected[] = {gross, percentage, result};
    for (std::size_t i = 0; i < std::size(Boxes); ++i) {
        const Box box = Boxes[i];
        if (e2e::Text(session.Control(box)).empty()) e2e::TypeText(session.Control(box), L"8");
        EXPECT_EQ(session.TextColour(box), expected[i]) << "box " << box;
    }
}

Entries Replaced(Entries entries, Box box, std::wstring text)
{
    (box == GrossBox ? entries.Gross : box == PercentageBox ? entries.Percentage : entries.Result) = std::move(text);
    return entries;
}

COLORREF ColourIf(bool computed)
{
    return computed ? Red : Black;
}

struct Computation {
    const char* what;
    Entries typed;
    Box computed;
    const wchar_t* shown;
};

TEST(Calcular, WritesTheMissingValueInRedAndLeavesTheOtherTwoBlack)
{
    const Computation cases[] = {
        {"result of 15 % of 200", {L"200", L"15", L""}, ResultBox, L"30."},
        {"gross whose 15 % is 30", {L"", L"15", L"30"}, GrossBox, L"200."},
        {"percentage that 30 is of 200", {L"200", L"", L"30"}, PercentageBox, L"15. %"},
        {"a negative entry counts as missing", {L"-100", L"10", L"5"}, GrossBox, L"50."},
        {"thousands grouped, zero decimals dropped", {L"2469", L"50", L""}, ResultBox, L"1,234.5"},
        {"below a hundredth", {L"1", L"0.1", L""}, ResultBox, L"0."},
        {"beyond a double", {L"1e308", L"1e308", L""}, ResultBox, L"Fuera de rango"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Session session;
        session.Calculate(c.typed);
        EXPECT_EQ(session.OpenMessage(), nullptr);
        EXPECT_EQ(session.Shown(), Replaced(c.typed, c.computed, c.shown));
        ExpectTextColours(session, ColourIf(c.computed == GrossBox), ColourIf(c.computed == PercentageBox),
                          ColourIf(c.computed == ResultBox));
    }
}

struct Refusal {
    const char* what;
    Entries typed;
};

// Each case starts from a computed, red result, typed over with the case's entries.
TEST(Calcular, AsksForExactlyTwoValuesAndTurnsEveryBoxBlack)
{
    const Refusal cases[] = {
        {"none", {L"", L"", L""}},
        {"gross alone", {L"200", L"", L""}},
        {"percentage alone", {L"", L"15", L""}},
        {"result alone", {L"", L"", L"30"}},
        {"zero and negative count as missing", {L"0", L"-15", L"30"}},
        {"text without digits counts as missing", {L"abc", L"15", L"x"}},
        {"all three", {L"200", L"15", L"30"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Session session;
        session.Calculate({L"200", L"15", L""});
        session.Calculate(c.typed);
        EXPECT_EQ(session.AnswerMessage(), TwoValuesMessage);
        EXPECT_EQ(session.Shown(), c.typed);
        ExpectTextColours(session, Black, Black, Black);
    }
}

TEST(Calcular, AgainRightAfterAResultAsksForTwoValues)
{
    Session session;
    session.Calculate({L"200", L"15", L""});
    session.Press(CalculateButton);
    EXPECT_EQ(session.AnswerMessage(), TwoValuesMessage);
    EXPECT_EQ(session.Shown(), (Entries{L"200", L"15", L"30."}));
    ExpectTextColours(session, Black, Black, Black);
}

TEST(ComputedBox, StaysRedWhenTypedOverAndWhenAnotherBoxIsComputed)
{
    Session session;
    session.Calculate({L"200", L"15", L""});
    e2e::TypeText(session.Control(ResultBox), L"45");
    EXPECT_EQ(session.TextColour(ResultBox), Red);

    session.Calculate({L"", L"15", L"45"});
    EXPECT_EQ(session.Shown(), (Entries{L"300.", L"15", L"45"}));
    ExpectTextColours(session, Red, Black, Red);
}

TEST(Borrar, EmptiesTheBoxesAndNewEntriesAreBlack)
{
    Session session;
    session.Calculate({L"", L"15", L"30"});
    session.Calculate({L"200.", L"15", L""});  // two red boxes now
    session.Press(ClearButton);
    EXPECT_EQ(session.OpenMessage(), nullptr);
    EXPECT_EQ(session.Shown(), (Entries{L"", L"", L""}));
    ExpectTextColours(session, Black, Black, Black);
}

// Enter presses a focused button, as everywhere in Windows; otherwise Enter
// and Esc do nothing. The close command, by Alt+F4 or from outside, ends the
// program as "Salir" does.
TEST(KeysAndCloseCommand, LeaveTheEntriesOrEndTheProgramAsAButtonWould)
{
    using e2e::Keystroke;
    enum Outcome { KeepsEntries, Clears, EndsWithZero };
    const struct {
        int focused;
        Keystroke key;
        Outcome expected;
    } cases[] = {
        {GrossBox, Keystroke::Enter, KeepsEntries},      {GrossBox, Keystroke::Esc, KeepsEntries},
        {CalculateButton, Keystroke::Esc, KeepsEntries}, {ClearButton, Keystroke::Enter, Clears},
        {ExitButton, Keystroke::Enter, EndsWithZero},    {GrossBox, Keystroke::AltF4, EndsWithZero},
        {ResultBox, Keystroke::CloseCommand, EndsWithZero},
    };
    const Entries typed{L"200", L"15", L""};
    std::optional<Session> session;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << e2e::NameOf(c.key) << " on control " << c.focused);
        if (!session || session->App.HasExited()) session.emplace();
        session->Fill(typed);
        e2e::Focus(session->Control(c.focused));
        e2e::Press(session->Window, c.key);
        if (c.expected == EndsWithZero) {
            EXPECT_EQ(session->App.WaitForExit(), 0u);
            continue;
        }
        EXPECT_EQ(session->OpenMessage(), nullptr);
        EXPECT_EQ(session->Shown(), (c.expected == Clears ? Entries{L"", L"", L""} : typed));
    }
}

}  // namespace
