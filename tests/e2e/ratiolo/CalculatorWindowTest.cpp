// Ratiolo's window worked as a user does: two values in, "Calcular", the third
// out in red; anything else gets the message and black text everywhere. What
// the values and their texts are is the calculator core's to decide.
#include "ratiolo/RatioloSession.h"

#include <gtest/gtest.h>

#include <optional>

using namespace ratiolo;

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Black = RGB(0, 0, 0);
const Entries Empty{L"", L"", L""};

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

// Each row is typed over what the one before left: a computed box stays red
// when typed over and when another box is computed, until a refusal or "Borrar".
TEST(Calcular, WritesEachMissingValueInRedOrAsksForExactlyTwoValuesAndBorrarClearsEverything)
{
    const struct {
        Entries typed;
        int button;
        Entries shown;
        std::array<COLORREF, 3> colours;
        const wchar_t* message;
    } cases[] = {
        {{L"200", L"15", L""}, CalculateButtonId, {L"200", L"15", L"30."}, {Black, Black, Red}, nullptr},
        {{L"", L"15", L"45"}, CalculateButtonId, {L"300.", L"15", L"45"}, {Red, Black, Red}, nullptr},
        {{L"200", L"15", L"30"}, CalculateButtonId, {L"200", L"15", L"30"}, {Black, Black, Black},
         L"Tienes que rellenar solo dos datos ..."},
        {{L"200", L"", L"30"}, CalculateButtonId, {L"200", L"15. %", L"30"}, {Black, Red, Black}, nullptr},
        {{L"200", L"", L"30"}, ClearButtonId, Empty, {Black, Black, Black}, nullptr},
    };
    Session session;
    for (const auto& c : cases) {
        SCOPED_TRACE(e2e::Utf8(c.typed[0] + L"|" + c.typed[1] + L"|" + c.typed[2]));
        session.Fill(c.typed);
        session.Press(c.button);
        if (c.message) {
            EXPECT_EQ(session.AnswerMessage(), c.message);
        } else {
            EXPECT_FALSE(session.App.FindTopLevel(MessageTitle));
        }
        EXPECT_EQ(session.Shown(), c.shown);
        ExpectTextColours(session, c.colours);
    }
    session.Press(ExitButtonId);
    EXPECT_EQ(session.App.WaitForExit(), 0u);
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
        {GrossBoxId, Enter, KeepsEntries}, {GrossBoxId, Esc, KeepsEntries},         {ClearButtonId, Enter, Clears},
        {GrossBoxId, AltF4, EndsWithZero}, {ResultBoxId, CloseCommand, EndsWithZero},
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
        EXPECT_EQ(session->Shown(), (c.expected == Clears ? Empty : typed));
    }
}

}  // namespace
