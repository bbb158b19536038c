// Ratiolo's window worked as a user does: two values in, "Calcular", the third
// out in red; anything else gets the message and black text everywhere.
#include "ratiolo/RatioloSession.h"

#include <gtest/gtest.h>

#include <optional>

using namespace ratiolo;

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr wchar_t TwoValuesText[] = L"Tienes que rellenar solo dos datos ...";

// A box that holds no text has no text colour to see; a digit typed into it
// takes the box's colour.
void ExpectTextColours(const Session& session, const std::array<COLORREF, 3>& expected)
{
    for (std::size_t i = 0; i < Boxes.size(); ++i) {
        if (e2e::Text(e2e::Control(session.Window, Boxes[i])).empty())
            e2e::TypeText(e2e::Control(session.Window, Boxes[i]), L"8");
        EXPECT_EQ(session.TextColour(Boxes[i]), expected[i]) << "box " << Boxes[i];
    }
}

// A case that computes nothing starts from a computed, red result, typed
// over with the case's entries: the message, and black text everywhere.
TEST(Calcular, WritesTheMissingValueInRedOrAsksForExactlyTwoValuesAndTurnsEveryBoxBlack)
{
    constexpr std::size_t none = 3;
    const struct {
        const char* what;
        Entries typed;
        std::size_t computed;
        const wchar_t* shown;
    } cases[] = {
        {"result of 15 % of 200", {L"200", L"15", L""}, 2, L"30."},
        {"gross whose 15 % is 30", {L"", L"15", L"30"}, 0, L"200."},
        {"percentage that 30 is of 200", {L"200", L"", L"30"}, 1, L"15. %"},
        {"thousands grouped, zero decimals dropped", {L"2469", L"50", L""}, 2, L"1,234.5"},
        {"beyond a double", {L"1e308", L"1e308", L""}, 2, L"Fuera de rango"},
        {"none", {L"", L"", L""}, none, nullptr},
        {"one", {L"200", L"", L""}, none, nullptr},
        {"zero, negative and text count as missing", {L"0", L"-15", L"x"}, none, nullptr},
        {"all three", {L"200", L"15", L"30"}, none, nullptr},
        {"again right after a result", {L"200", L"15", L"30."}, none, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Session session;
        if (c.computed == none) session.Calculate({L"200", L"15", L""});
        session.Calculate(c.typed);
        Entries shown = c.typed;
        std::array<COLORREF, 3> colours{Black, Black, Black};
        if (c.computed == none) {
            EXPECT_EQ(session.AnswerMessage(), TwoValuesText);
        } else {
            EXPECT_FALSE(session.App.FindTopLevel(MessageTitle));
            shown[c.computed] = c.shown;
            colours[c.computed] = Red;
        }
        EXPECT_EQ(session.Shown(), shown);
        ExpectTextColours(session, colours);
    }
}

TEST(ComputedBox, StaysRedWhenTypedOverAndWhenAnotherBoxIsComputedUntilBorrar)
{
    Session session;
    session.Calculate({L"200", L"15", L""});
    e2e::TypeText(e2e::Control(session.Window, ResultBoxId), L"45");
    EXPECT_EQ(session.TextColour(ResultBoxId), Red);

    session.Calculate({L"", L"15", L"45"});
    EXPECT_EQ(session.Shown(), (Entries{L"300.", L"15", L"45"}));
    ExpectTextColours(session, {Red, Black, Red});

    session.Press(ClearButtonId);
    EXPECT_FALSE(session.App.FindTopLevel(MessageTitle));
    EXPECT_EQ(session.Shown(), (Entries{L"", L"", L""}));
    ExpectTextColours(session, {Black, Black, Black});
}

// Enter presses a focused button, as everywhere in Windows; otherwise Enter
// and Esc do nothing. The close command, by Alt+F4 or from outside, ends the
// program as "Salir" does.
TEST(KeysAndCloseCommand, LeaveTheEntriesOrEndTheProgramAsAButtonWould)
{
    using namespace e2e;
    enum Outcome { KeepsEntries, Clears, EndsWithZero };
    const struct {
        int focused;
        Keystroke key;
        Outcome expected;
    } cases[] = {
        {GrossBoxId, Enter, KeepsEntries},        {GrossBoxId, Esc, KeepsEntries},
        {CalculateButtonId, Esc, KeepsEntries},   {ClearButtonId, Enter, Clears},
        {ExitButtonId, Enter, EndsWithZero},      {GrossBoxId, AltF4, EndsWithZero},
        {ResultBoxId, CloseCommand, EndsWithZero},
    };
    const Entries typed{L"200", L"15", L""};
    std::optional<Session> session;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key.Name << " on control " << c.focused);
        if (!session || session->App.HasExited()) session.emplace();
        session->Fill(typed);
        Focus(Control(session->Window, c.focused));
        Press(session->Window, c.key);
        if (c.expected == EndsWithZero) {
            EXPECT_EQ(session->App.WaitForExit(), 0u);
            continue;
        }
        EXPECT_FALSE(session->App.FindTopLevel(MessageTitle));
        EXPECT_EQ(session->Shown(), (c.expected == Clears ? Entries{L"", L"", L""} : typed));
    }
}

}  // namespace
