// Cofrelo's main window, its menu commands that work on the screen alone, the
// insert dialog and the rows' colours, worked as a user does.
#include "cofrelo/CofreloSession.h"

#include <gtest/gtest.h>

#include <optional>

using namespace cofrelo;

namespace {

const std::wstring Stars(22, L'*');
const wchar_t OnlyNumbersText[] = L"Tienes que escribir solo numeros, y decimales, es un punto \".\" \r\nGRACIAS !!!";

TEST(StartUp, ShowsTheEmptyListMaximisedThenRowsWithTheRunningBalanceAndSalirEndsWithExitCodeZero)
{
    Session session;
    EXPECT_TRUE(GetWindowLongW(session.Main, GWL_STYLE) & WS_MAXIMIZE);
    const e2e::ListView list(e2e::Control(session.Main, LedgerListId));
    EXPECT_EQ(list.Headers(), (std::vector<std::wstring>{L"Fechas", L"Descripcion", L"Importe", L"Liquido"}));
    EXPECT_EQ(list.RowCount(), 0);
    session.Choose(AboutCommand);
    const std::wstring text = session.AnswerMessage(IDOK, AboutTitle);
    EXPECT_TRUE(text.ends_with(L"\r\nVisitame ...\r\nGracias !!")) << e2e::Utf8(text);
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 3);
    EXPECT_FALSE(text.starts_with(L"\r\n"));
    const std::wstring date = session.Insert(SavingOptionId, L"Nomina", L"1250.5");
    session.Insert(ExpenseOptionId, L"Luz", L" 30 ");
    session.Insert(CommentOptionId, L"Revisar en enero", L"");
    session.Insert(SavingOptionId, L"Intereses", L"");  // an empty amount is 0
    session.Insert(ExpenseOptionId, L"Todo", L"1220.5");
    session.Insert(SavingOptionId, L"Maximo", L"1000000000");
    EXPECT_EQ(session.Rows(), (std::vector<Row>{
                                  RowOf(date, L"Nomina", L"1.250'50", L"1.250'50"),
                                  RowOf(date, L"Luz", L"-30'00", L"1.220'50"),
                                  RowOf(date, L"Revisar en enero", Stars, Stars),
                                  RowOf(date, L"Intereses", L"0'00", L"1.220'50"),
                                  RowOf(date, L"Todo", L"-1.220'50", L"0'00"),
                                  RowOf(date, L"Maximo", L"1.000.000.000'00", L"1.000.000.000'00"),
                              }));
    EXPECT_EQ(session.Exit(), 0u);  // unsaved rows are no reason to ask
}

TEST(InsertMovement, RefusesWhatItCannotStoreKeepingTheDialogAsTypedAndRemembersTheKind)
{
    const struct {
        int option;
        const wchar_t* amount;
        const wchar_t* message;
    } cases[] = {
        {SavingOptionId, L"12a", OnlyNumbersText},
        {CommentOptionId, L"-5", OnlyNumbersText},
        {SavingOptionId, L"1000000000.01", L"maximo permitido 1.000.000.000'00\r\nminimo permitido 0"},
        {ExpenseOptionId, L"100.01", L"No podemos quitar mas de lo que tenemos ..."},
    };
    Session session;
    const HWND first = session.Open(InsertCommand, InsertDialogTitle);
    EXPECT_EQ(e2e::SendBounded(e2e::Control(first, SavingOptionId), BM_GETCHECK, 0, 0), BST_CHECKED);
    e2e::CloseWith(first, InsertCancelButtonId);
    session.Insert(SavingOptionId, L"Base", L"100");
    for (const auto& c : cases) {
        const HWND dialog = session.Open(InsertCommand, InsertDialogTitle);
        session.FillInsertDialog(dialog, c.option, L"x", c.amount);
        e2e::Click(e2e::Control(dialog, InsertAcceptButtonId));
        EXPECT_EQ(session.AnswerMessage(), c.message) << e2e::Utf8(c.amount);
        EXPECT_EQ(e2e::Text(e2e::Control(dialog, AmountBoxId)), c.amount);
        e2e::CloseWith(dialog, InsertCancelButtonId);
    }
    EXPECT_EQ(session.Rows().size(), 1u);
    // The kind chosen last, also on "Cancelar"; a comment takes no amount.
    const HWND dialog = session.Open(InsertCommand, InsertDialogTitle);
    EXPECT_EQ(e2e::SendBounded(e2e::Control(dialog, ExpenseOptionId), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(IsWindowEnabled(e2e::Control(dialog, AmountBoxId)));
    e2e::Click(e2e::Control(dialog, CommentOptionId));
    EXPECT_FALSE(IsWindowEnabled(e2e::Control(dialog, AmountBoxId)));
}

TEST(InsertMovement, RefusesAnyLineOnceTheLedgerIsFull)
{
    Session session;
    WriteFileBytes(session.PathOf(L"lleno.log"), std::string(LedgerBytes(FullLedger())));
    session.ChooseWithName(ReadCommand, L"lleno");
    ASSERT_TRUE(session.EndedWithoutMessage());
    ASSERT_EQ(e2e::ListView(e2e::Control(session.Main, LedgerListId)).RowCount(), LedgerCapacity);

    const HWND dialog = session.Open(InsertCommand, InsertDialogTitle);
    session.FillInsertDialog(dialog, CommentOptionId, L"Uno mas", L"");
    e2e::Click(e2e::Control(dialog, InsertAcceptButtonId));
    EXPECT_EQ(session.AnswerMessage(), L"Memoria llena ...\r\nSintiendolo mucho NO puedo insertar mas ...");
    e2e::WaitUntilGone(dialog);
    EXPECT_EQ(e2e::ListView(e2e::Control(session.Main, LedgerListId)).RowCount(), LedgerCapacity);
}

TEST(RowColours, PaintEachKindInTheColoursOfTheConfigurationFile)
{
    const Colours configured{RGB(10, 20, 30), RGB(250, 240, 0), RGB(0, 0, 0),
                             RGB(0, 128, 0),  RGB(128, 0, 128), RGB(255, 200, 150)};
    Session session({{L"Configurador.log", SettingsRecord(configured, "")}});
    session.Insert(SavingOptionId, L"Ahorro", L"10");
    session.Insert(ExpenseOptionId, L"Gasto", L"5");
    session.Insert(CommentOptionId, L"Nota", L"");
    EXPECT_TRUE(session.ShowsRowInColours(0, configured.SavingText, configured.SavingBack));
    EXPECT_TRUE(session.ShowsRowInColours(1, configured.ExpenseText, configured.ExpenseBack));
    EXPECT_TRUE(session.ShowsRowInColours(2, configured.CommentText, configured.CommentBack));
}

// A window of the key table: the main window (command 0) or a dialog, which a
// row finds open or else opens anew with a text typed in.
struct KeyTableWindow {
    int command;
    const wchar_t* title;
    int typedInto;

    HWND In(const Session& session) const
    {
        if (!command) return session.Main;
        if (const HWND open = session.App.FindTopLevel(title)) return open;
        const HWND dialog = session.Open(command, title);
        if (typedInto) e2e::TypeText(e2e::Control(dialog, typedInto), L"libro");
        return dialog;
    }
};
constexpr KeyTableWindow MainWindow{0, MainWindowTitle, 0}, InsertDialog{InsertCommand, InsertDialogTitle, DescriptionBoxId},
    FileNameDialog{ReadCommand, FileNameDialogTitle, NameBoxId}, ConfigDialog{ConfigurationCommand, ConfigDialogTitle, 0};

// Enter on a focused push button presses it, as everywhere in Windows;
// otherwise Enter and Esc mean nothing, wherever the focus is (a multi-line
// edit box turns Esc into WM_CLOSE). The close command ends the main window,
// the file-name dialog and the configuration dialog (as "Cancelar"), but not
// the insert dialog: only its own buttons end that.
TEST(KeysAndCloseCommand, KeepEachWindowOpenWithItsTextsOrEndItAsSpecified)
{
    using namespace e2e;
    enum Outcome { KeepsTexts, Ends, Inserts, EndsProgram };
    const struct {
        KeyTableWindow window;
        int focused;
        Keystroke key;
        Outcome expected;
    } cases[] = {
        {MainWindow, LedgerListId, Enter, KeepsTexts}, {MainWindow, LedgerListId, Esc, KeepsTexts},
        {InsertDialog, DescriptionBoxId, Enter, KeepsTexts}, {InsertDialog, AmountBoxId, Esc, KeepsTexts},
        {InsertDialog, DatePickerId, Enter, KeepsTexts}, {InsertDialog, DatePickerId, Esc, KeepsTexts},
        {InsertDialog, ExpenseOptionId, Enter, KeepsTexts}, {InsertDialog, ExpenseOptionId, Esc, KeepsTexts},
        {InsertDialog, InsertAcceptButtonId, Esc, KeepsTexts}, {InsertDialog, DescriptionBoxId, AltF4, KeepsTexts},
        {InsertDialog, AmountBoxId, CloseCommand, KeepsTexts}, {InsertDialog, InsertAcceptButtonId, Enter, Inserts},
        {InsertDialog, InsertCancelButtonId, Enter, Ends}, {FileNameDialog, NameBoxId, Enter, KeepsTexts},
        {FileNameDialog, NameBoxId, Esc, KeepsTexts}, {FileNameDialog, NameAcceptButtonId, Esc, KeepsTexts},
        {FileNameDialog, NameBoxId, AltF4, Ends}, {FileNameDialog, NameAcceptButtonId, CloseCommand, Ends},
        {ConfigDialog, FolderBoxId, Esc, KeepsTexts}, {ConfigDialog, FolderBoxId, Enter, KeepsTexts},
        {ConfigDialog, ExpenseTextButtonId, Esc, KeepsTexts}, {ConfigDialog, FolderBoxId, AltF4, Ends},
        {ConfigDialog, ConfigAcceptButtonId, CloseCommand, Ends}, {ConfigDialog, ConfigCancelButtonId, Enter, Ends},
        {MainWindow, LedgerListId, AltF4, EndsProgram}, {MainWindow, LedgerListId, CloseCommand, EndsProgram},
    };
    std::optional<Session> session;
    std::size_t rows = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << Utf8(c.window.title) << ": " << c.key.Name << " on control " << c.focused);
        if (!session || session->App.HasExited()) {
            session.emplace();
            session->Insert(SavingOptionId, L"Nomina", L"10");
            rows = 1;
        }
        const HWND window = c.window.In(*session);
        const std::vector<std::wstring> texts = ControlTexts(window);
        Focus(Control(window, c.focused));
        Press(window, c.key);
        if (c.expected == EndsProgram) {
            EXPECT_EQ(session->App.WaitForExit(), 0u);
            continue;
        }
        if (c.expected == KeepsTexts) {
            if (!IsWindowVisible(window)) {
                ADD_FAILURE() << "the window has closed";
                session.reset();  // the next row starts afresh
                continue;
            }
            EXPECT_EQ(ControlTexts(window), texts);
            EXPECT_FALSE(session->App.FindTopLevel(MessageTitle));
        } else {
            WaitUntilGone(window);
            EXPECT_TRUE(session->EndedWithoutMessage());
        }
        if (c.expected == Inserts) ++rows;
        EXPECT_EQ(session->Rows().size(), rows);
        EXPECT_EQ(GetFileAttributesW(session->PathOf(L"Configurador.log").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

}  // namespace
