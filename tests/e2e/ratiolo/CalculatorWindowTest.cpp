// Ratiolo's window worked as a user does: two values in, "Calcular", the third
// out in red; anything else gets the message and black text everywhere.
#include "RatioloSession.h"

#include "Controls.h"
#include "Window.h"

#include <gtest/gtest.h>

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

TEST(Keys, EnterAndEscDoNothing)
{
    Session session;
    session.Fill({L"200", L"15", L""});
    for (WORD key : {VK_RETURN, VK_ESCAPE}) {
        e2e::PressKey(session.Window, key);
        EXPECT_FALSE(session.App.HasExited()) << key;
        EXPECT_EQ(session.OpenMessage(), nullptr) << key;
        EXPECT_EQ(session.Shown(), (Entries{L"200", L"15", L""})) << key;
    }
}

TEST(Closing, SalirAndTheCloseCommandEndWithExitCodeZero)
{
    const struct {
        const char* what;
        void (*close)(const Session&);
    } ways[] = {
        {"Salir", [](const Session& s) { s.Press(ExitButton); }},
        {"close command", [](const Session& s) { e2e::ChooseCloseCommand(s.Window); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.what);
        Session session;
        session.Calculate({L"200", L"15", L""});
        way.close(session);
        EXPECT_EQ(session.App.WaitForExit(), 0u);
    }
}

}  // namespace
