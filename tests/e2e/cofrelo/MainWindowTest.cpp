// Cofrelo's main window, its list and the insert dialog, worked as a user does.
#include "CofreloSession.h"

#include "Controls.h"
#include "ListView.h"
#include "Menu.h"
#include "Screen.h"
#include "Window.h"

#include <gtest/gtest.h>

using namespace cofrelo;

namespace {

constexpr Colours DefaultColours{RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                 RGB(255, 0, 0),     RGB(0, 0, 255),     RGB(192, 192, 192)};

const std::wstring Stars(22, L'*');

// A saving, an expense and a comment, each painted in its kind's pair of colours.
void ExpectEachKindPaintedIn(const Session& session, const Colours& colours)
{
    session.Insert(Saving, L"Ahorro", L"10");
    session.Insert(Expense, L"Gasto", L"5");
    session.Insert(Comment, L"Nota", L"");
    EXPECT_TRUE(session.ShowsRowInColours(0, colours.SavingText, colours.SavingBack)) << "saving";
    EXPECT_TRUE(session.ShowsRowInColours(1, colours.ExpenseText, colours.ExpenseBack)) << "expense";
    EXPECT_TRUE(session.ShowsRowInColours(2, colours.CommentText, colours.CommentBack)) << "comment";
}

TEST(StartUp, ShowsTheEmptyListMaximisedInTheEuropeanFormat)
{
    Session session;
    EXPECT_TRUE(GetWindowLongW(session.Main, GWL_STYLE) & WS_MAXIMIZE);
    const e2e::ListView list(session.List());
    EXPECT_EQ(list.Headers(), (std::vector<std::wstring>{L"Fechas", L"Descripcion", L"Importe", L"Liquido"}));
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_FALSE(e2e::IsMenuItemChecked(session.Main, 0, AmericanFormatPosition));
    EXPECT_EQ(session.Exit(), 0u);
}

TEST(InsertMovement, AddsSavingsExpensesAndCommentsWithTheRunningBalance)
{
    Session session;
    const std::wstring date = session.Insert(Saving, L"Nomina", L"1250.5");
    session.Insert(Expense, L"Luz", L" 30 ");
    session.Insert(Comment, L"Revisar en enero", L"");
    session.Insert(Saving, L"Intereses", L"");  // an empty amount is 0
    EXPECT_FALSE(date.empty());
    EXPECT_EQ(session.Rows(), (std::vector<Row>{
                                  RowOf(date, L"Nomina", L"1.250'50", L"1.250'50"),
                                  RowOf(date, L"Luz", L"-30'00", L"1.220'50"),
                                  RowOf(date, L"Revisar en enero", Stars, Stars),
                                  RowOf(date, L"Intereses", L"0'00", L"1.220'50"),
                              }));
}

TEST(InsertMovement, RefusesWhatItCannotStoreAndKeepsTheDialogOpen)
{
    const struct {
        Kind kind;
        const wchar_t* amount;
        const wchar_t* message;
    } cases[] = {
        {Saving, L"12a", L"Tienes que escribir solo numeros, y decimales, es un punto \".\" \r\nGRACIAS !!!"},
        {Comment, L"-5", L"Tienes que escribir solo numeros, y decimales, es un punto \".\" \r\nGRACIAS !!!"},
        {Saving, L"1 500", L"Tienes que escribir solo numeros, y decimales, es un punto \".\" \r\nGRACIAS !!!"},
        {Saving, L"1000000000.01", L"maximo permitido 1.000.000.000'00\r\nminimo permitido 0"},
        {Expense, L"100.01", L"No podemos quitar mas de lo que tenemos ..."},
    };
    Session session;
    session.Insert(Saving, L"Base", L"100");
    for (const auto& c : cases) {
        const HWND dialog = session.OpenInsertDialog();
        session.FillInsertDialog(dialog, c.kind, L"x", c.amount);
        e2e::Click(e2e::Control(dialog, AcceptButtonId));
        EXPECT_EQ(session.AnswerMessage(), c.message) << e2e::Utf8(c.amount);
        EXPECT_EQ(e2e::Text(e2e::Control(dialog, AmountBoxId)), c.amount);  // the input stays as it was
        e2e::Click(e2e::Control(dialog, CancelButtonId));
        e2e::WaitUntilGone(dialog);
    }
    EXPECT_EQ(session.Rows().size(), 1u);
}

TEST(InsertMovement, LetsAnExpenseTakeTheWholeBalance)
{
    Session session;
    const std::wstring date = session.Insert(Saving, L"Ahorro", L"100");
    session.Insert(Expense, L"Todo", L"100");
    session.Insert(Saving, L"Maximo", L"1000000000");
    EXPECT_EQ(session.Rows().back(), RowOf(date, L"Maximo", L"1.000.000.000'00", L"1.000.000.000'00"));
    EXPECT_EQ(session.Rows()[1], RowOf(date, L"Todo", L"-100'00", L"0'00"));
}

TEST(InsertMovement, RemembersTheKindAndDisablesTheAmountForComments)
{
    Session session;
    HWND dialog = session.OpenInsertDialog();
    EXPECT_EQ(e2e::CheckState(e2e::Control(dialog, Saving)), BST_CHECKED);
    e2e::Click(e2e::Control(dialog, Expense));
    e2e::Click(e2e::Control(dialog, CancelButtonId));
    e2e::WaitUntilGone(dialog);

    dialog = session.OpenInsertDialog();
    EXPECT_EQ(e2e::CheckState(e2e::Control(dialog, Expense)), BST_CHECKED);
    EXPECT_TRUE(e2e::IsEnabled(e2e::Control(dialog, AmountBoxId)));
    e2e::Click(e2e::Control(dialog, Comment));
    EXPECT_FALSE(e2e::IsEnabled(e2e::Control(dialog, AmountBoxId)));
    e2e::Click(e2e::Control(dialog, CancelButtonId));
    e2e::WaitUntilGone(dialog);
    EXPECT_TRUE(session.Rows().empty());
}

TEST(InsertMovement, BlocksTheMainWindowWhileOpen)
{
    Session session;
    const HWND dialog = session.OpenInsertDialog();
    EXPECT_FALSE(e2e::IsEnabled(session.Main));
    e2e::Click(e2e::Control(dialog, CancelButtonId));
    e2e::WaitUntilGone(dialog);
    e2e::WaitUntilEnabled(session.Main, true);
}

TEST(InsertMovement, RefusesAnyLineOnceTheLedgerIsFull)
{
    // A full ledger comes from a file: 36500 saved records.
    Session session;
    std::string record(162, ' ');
    record.replace(0, 10, "05/12/2026");
    record.replace(114, 2, "+1");
    record.replace(136, 5, "36500");
    record.replace(158, 4, std::string(4, '\0'));
    std::string ledger;
    for (int i = 0; i < 36500; ++i) ledger += record;
    WriteFileBytes(session.PathOf(L"lleno.log"), ledger);
    session.Choose(ReadCommand);
    session.GiveFileName(L"lleno");
    e2e::WaitUntilIdle(session.Main);
    ASSERT_EQ(e2e::ListView(session.List()).RowCount(), 36500);

    const HWND dialog = session.OpenInsertDialog();
    session.FillInsertDialog(dialog, Comment, L"Uno mas", L"");
    e2e::Click(e2e::Control(dialog, AcceptButtonId));
    EXPECT_EQ(session.AnswerMessage(), L"Memoria llena ...\r\nSintiendolo mucho NO puedo insertar mas ...");
    e2e::WaitUntilGone(dialog);
    EXPECT_EQ(e2e::ListView(session.List()).RowCount(), 36500);
}

TEST(RowColours, PaintEachKindInTheDefaultColours)
{
    Session session;
    ExpectEachKindPaintedIn(session, DefaultColours);
}

TEST(RowColours, ComeFromTheConfigurationFileBesideTheProgram)
{
    const Colours configured{RGB(10, 20, 30),   RGB(250, 240, 0), RGB(0, 0, 0),
                             RGB(0, 128, 0),    RGB(128, 0, 128), RGB(255, 200, 150)};
    Session session({{L"Configurador.log", SettingsRecord(configured, "")}});
    ExpectEachKindPaintedIn(session, configured);
}

TEST(MainWindow, SalirEndsWithExitCodeZeroWithoutAskingAboutUnsavedMovements)
{
    Session session;
    session.Insert(Saving, L"Sin grabar", L"10");
    EXPECT_EQ(session.Exit(), 0u);
}

}  // namespace
