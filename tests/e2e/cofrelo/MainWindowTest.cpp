// Cofrelo's main window, its menu commands that work on the screen alone, the
// insert dialog, the rows' colours and every window's keys, worked as a user does.
#include "cofrelo/CofreloSession.h"

#include <gtest/gtest.h>

using namespace cofrelo;

namespace {

TEST(MainWindow, StartsMaximisedAndEmptyShowsEachKindInItsColoursSwitchesTheFormatAndEndsOnSalir)
{
    Session session;
    EXPECT_TRUE(GetWindowLongW(session.Main, GWL_STYLE) & WS_MAXIMIZE);
    const e2e::ListView list(e2e::Control(session.Main, LedgerListId));
    EXPECT_EQ(list.Headers(), (std::vector<std::wstring>{L"Fechas", L"Descripcion", L"Importe", L"Liquido"}));
    EXPECT_EQ(list.RowCount(), 0);
    session.Choose(AboutCommand);
    const std::wstring about = session.AnswerMessage(IDOK, AboutTitle);
    EXPECT_TRUE(about.ends_with(L"\r\nVisitame ...\r\nGracias !!")) << e2e::Utf8(about);
    EXPECT_EQ(std::count(about.begin(), about.end(), L'\n'), 3);
    EXPECT_FALSE(about.starts_with(L"\r\n"));
    const std::string records = session.InsertEachKind();
    EXPECT_EQ(session.Rows(), RowsOf(records, false));
    session.AwaitKindColours(DefaultSettings(session.ProgramFolder()));
    // The check mark of "Formato Americano" mirrors the format of the rows.
    for (bool american : {true, false}) {
        session.Choose(AmericanFormatCommand);
        EXPECT_EQ(e2e::MenuShowsCheckMark(session.Main), american);
        EXPECT_EQ(session.Rows(), RowsOf(records, american));
    }
    EXPECT_EQ(session.Exit(), 0u);  // unsaved rows are no reason to ask
}

TEST(InsertDialog, ShowsEachRefusalKeepingWhatWasTypedAndRemembersTheKindChosenLast)
{
    const struct {
        int option;
        const wchar_t* amount;
        const wchar_t* message;
    } cases[] = {
        {SavingOptionId, L"12a", L"Tienes que escribir solo numeros, y decimales, es un punto \".\" \r\nGRACIAS !!!"},
        {SavingOptionId, L"1000000000.01", L"maximo permitido 1.000.000.000'00\r\nminimo permitido 0"},
        {ExpenseOptionId, L"100.01", L"No podemos quitar mas de lo que tenemos ..."},
    };
    Session session;
    HWND dialog = session.Open(InsertCommand, InsertDialogTitle);
    EXPECT_TRUE(e2e::IsChecked(e2e::Control(dialog, SavingOptionId)));
    e2e::CloseWith(dialog, InsertCancelButtonId);
    session.Insert(SavingOptionId, L"Base", L"100");
    for (const auto& c : cases) {
        dialog = session.Open(InsertCommand, InsertDialogTitle);
        session.FillInsertDialog(dialog, c.option, L"x", c.amount);
        e2e::Click(e2e::Control(dialog, InsertAcceptButtonId));
        EXPECT_EQ(session.AnswerMessage(), c.message) << e2e::Utf8(c.amount);
        EXPECT_EQ(e2e::Text(e2e::Control(dialog, AmountBoxId)), c.amount);
        e2e::CloseWith(dialog, InsertCancelButtonId);
    }
    // The kind chosen last, also on "Cancelar"; a comment takes no amount.
    dialog = session.Open(InsertCommand, InsertDialogTitle);
    EXPECT_TRUE(e2e::IsChecked(e2e::Control(dialog, ExpenseOptionId)));
    EXPECT_TRUE(IsWindowEnabled(e2e::Control(dialog, AmountBoxId)));
    e2e::Click(e2e::Control(dialog, CommentOptionId));
    EXPECT_FALSE(IsWindowEnabled(e2e::Control(dialog, AmountBoxId)));
    e2e::CloseWith(dialog, InsertCancelButtonId);
    EXPECT_EQ(session.Rows().size(), 1u);

    e2e::WriteFileBytes(session.PathOf(L"lleno.log"), std::string(LedgerBytes(FullLedger())));
    session.ChooseWithName(ReadCommand, L"lleno");
    ASSERT_TRUE(session.EndedWithoutMessage());
    dialog = session.Open(InsertCommand, InsertDialogTitle);
    session.FillInsertDialog(dialog, CommentOptionId, L"Uno mas", L"");
    e2e::Click(e2e::Control(dialog, InsertAcceptButtonId));
    EXPECT_EQ(session.AnswerMessage(), L"Memoria llena ...\r\nSintiendolo mucho NO puedo insertar mas ...");
    e2e::WaitUntilGone(dialog);
    EXPECT_EQ(e2e::ListView(e2e::Control(session.Main, LedgerListId)).RowCount(), LedgerCapacity);
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
        {MainWindow, LedgerListId, Enter, KeepsTexts},        {MainWindow, LedgerListId, Esc, KeepsTexts},
        {InsertDialog, DescriptionBoxId, Enter, KeepsTexts},  {InsertDialog, AmountBoxId, Esc, KeepsTexts},
        {InsertDialog, AmountBoxId, CloseCommand, KeepsTexts}, {InsertDialog, InsertAcceptButtonId, Enter, Inserts},
        {FileNameDialog, NameBoxId, Enter, KeepsTexts},       {FileNameDialog, NameBoxId, Esc, KeepsTexts},
        {FileNameDialog, NameAcceptButtonId, CloseCommand, Ends}, {ConfigDialog, FolderBoxId, Esc, KeepsTexts},
        {ConfigDialog, FolderBoxId, Enter, KeepsTexts},       {ConfigDialog, ConfigAcceptButtonId, CloseCommand, Ends},
        {FileNameDialog, NameBoxId, AltF4, Ends},             {MainWindow, LedgerListId, CloseCommand, EndsProgram},
    };
    Session session;
    session.Insert(SavingOptionId, L"Nomina", L"10");
    std::size_t rows = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << Utf8(c.window.title) << ": " << c.key.Name << " on control " << c.focused);
        const HWND window = c.window.In(session);
        const std::vector<std::wstring> texts = ControlTexts(window);
        Focus(Control(window, c.focused));
        Press(window, c.key);
        if (c.expected == EndsProgram) {
            EXPECT_EQ(session.App.WaitForExit(), 0u);
            continue;
        }
        if (c.expected == KeepsTexts) {
            ASSERT_TRUE(IsWindowVisible(window)) << "the window has closed";
            EXPECT_EQ(ControlTexts(window), texts);
            EXPECT_FALSE(session.App.FindTopLevel(MessageTitle));
        } else {
            WaitUntilGone(window);
            EXPECT_TRUE(session.EndedWithoutMessage());
        }
        rows += c.expected == Inserts;
        EXPECT_EQ(session.Rows().size(), rows);
        EXPECT_EQ(GetFileAttributesW(session.PathOf(L"Configurador.log").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

}  // namespace
