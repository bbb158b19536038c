// Cofrelo's menu commands that work on the whole ledger or on nothing but the
// screen: "Formato Americano", "Nuevo", "Autor"; the rule that every dialog
// and message of a command holds the main window until it closes; and what
// Enter, Esc and the close command do in each window.
#include "CofreloSession.h"

#include "Controls.h"
#include "Menu.h"
#include "Window.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using namespace cofrelo;

namespace {

const std::wstring Stars(22, L'*');

bool AmericanFormatChecked(const Session& session)
{
    return e2e::IsMenuItemChecked(session.Main, 0, AmericanFormatPosition);
}

std::vector<std::wstring> LinesOf(std::wstring_view text)
{
    std::vector<std::wstring> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(L"\r\n", start);
        lines.emplace_back(text.substr(start, end - start));
        if (end == std::wstring_view::npos) return lines;
        start = end + 2;
    }
}

TEST(AmericanFormat, TogglesTheCheckMarkAndRebuildsEveryRowInTheOtherFormat)
{
    Session session;
    const std::wstring date = session.Insert(Saving, L"Grande", L"1234567.5");
    session.Insert(Expense, L"Pequeño", L"0.25");
    session.Insert(Comment, L"Nota", L"");
    const std::vector<Row> european{
        RowOf(date, L"Grande", L"1.234.567'50", L"1.234.567'50"),
        RowOf(date, L"Pequeño", L"-0'25", L"1.234.567'25"),
        RowOf(date, L"Nota", Stars, Stars),
    };
    const std::vector<Row> american{
        RowOf(date, L"Grande", L"1,234,567.50", L"1,234,567.50"),
        RowOf(date, L"Pequeño", L"-0.25", L"1,234,567.25"),
        RowOf(date, L"Nota", Stars, Stars),
    };
    ASSERT_EQ(session.Rows(), european);

    session.Choose(AmericanFormatCommand);
    EXPECT_TRUE(AmericanFormatChecked(session));
    EXPECT_EQ(session.Rows(), american);

    session.Choose(AmericanFormatCommand);
    EXPECT_FALSE(AmericanFormatChecked(session));
    EXPECT_EQ(session.Rows(), european);
}

TEST(AmericanFormat, OnAnEmptyLedgerOnlySetsTheCheckMarkAndLaterRowsFollowIt)
{
    Session session;
    session.Choose(AmericanFormatCommand);
    EXPECT_TRUE(AmericanFormatChecked(session));
    EXPECT_TRUE(session.Rows().empty());
    const std::wstring date = session.Insert(Saving, L"Nomina", L"1250.5");
    EXPECT_EQ(session.Rows(), std::vector<Row>{RowOf(date, L"Nomina", L"1,250.50", L"1,250.50")});
}

TEST(New, EmptiesTheListAndStartsAgainFromZeroKeepingTheDocumentName)
{
    Session session;
    const std::wstring date = session.Insert(Saving, L"Nomina", L"100");
    const std::vector<Row> saved = session.Rows();
    session.ChooseWithName(SaveCommand, L"libro");
    session.AnswerMessage();

    session.Choose(NewCommand);
    EXPECT_TRUE(session.Rows().empty());
    session.Insert(Saving, L"Intereses", L"5");
    EXPECT_EQ(session.Rows(), std::vector<Row>{RowOf(date, L"Intereses", L"5'00", L"5'00")});

    session.Choose(ReadCommand);
    const HWND dialog = session.App.WaitForWindow(FileNameCaption);
    EXPECT_EQ(e2e::Text(e2e::Control(dialog, FileNameBoxId)), L"libro");
    e2e::Click(e2e::Control(dialog, FileNameAcceptId));
    EXPECT_TRUE(session.EndedWithoutMessage());
    EXPECT_EQ(session.Rows(), saved);
}

TEST(About, ShowsFourLinesUnderProgramador)
{
    Session session;
    session.Choose(AboutCommand);
    const std::vector<std::wstring> lines = LinesOf(session.AnswerMessage(IDOK, L"Programador ..."));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_FALSE(lines[0].empty());
    EXPECT_FALSE(lines[1].empty());
    EXPECT_EQ(lines[2], L"Visitame ...");
    EXPECT_EQ(lines[3], L"Gracias !!");
}

// A window that a command opens: how a user gets there, and how the user
// closes it (and whatever it was opened from) again.
struct ModalWindow {
    const char* what;
    std::function<HWND(const Session&)> open;
    std::function<void(const Session&, HWND)> close;
};

std::function<void(const Session&, HWND)> Pressing(int button)
{
    return [button](const Session&, HWND window) {
        e2e::Click(e2e::Control(window, button));
        e2e::WaitUntilGone(window);
    };
}

std::function<HWND(const Session&)> MessageAfter(Command command, std::wstring_view name = {})
{
    return [command, name](const Session& session) {
        if (name.empty())
            session.Choose(command);
        else
            session.ChooseWithName(command, name);
        return session.App.WaitForMessageBox(MessageTitle);
    };
}

// A system dialog that a button of the configuration dialog opens; closing it
// cancels both.
ModalWindow SystemDialogOfConfiguration(const char* what, int button, const wchar_t* caption)
{
    return {what,
            [button, caption](const Session& session) {
                e2e::Click(e2e::Control(session.OpenConfigDialog(), button));
                return session.App.WaitForWindow(caption);
            },
            [](const Session& session, HWND window) {
                Pressing(IDCANCEL)(session, window);
                Pressing(ConfigCancelId)(session, session.App.WaitForWindow(ConfigCaption));
            }};
}

void ExpectEachToHoldTheMainWindow(const Session& session, const std::vector<ModalWindow>& windows)
{
    for (const ModalWindow& window : windows) {
        const HWND opened = window.open(session);
        EXPECT_FALSE(e2e::IsEnabled(session.Main)) << window.what;
        window.close(session, opened);
        EXPECT_TRUE(session.EndedWithoutMessage()) << window.what << " left the main window disabled";
    }
}

TEST(EveryDialogAndMessage, HoldsTheMainWindowWhileOpen)
{
    Session session;
    ExpectEachToHoldTheMainWindow(session, {
        {"the insert dialog", [](const Session& s) { return s.OpenInsertDialog(); }, Pressing(CancelButtonId)},
        {"the insert dialog's refusal",
         [](const Session& s) {
             const HWND dialog = s.OpenInsertDialog();
             s.FillInsertDialog(dialog, Expense, L"Luz", L"5");
             e2e::Click(e2e::Control(dialog, AcceptButtonId));
             return s.App.WaitForMessageBox(MessageTitle);
         },
         [](const Session& s, HWND box) {
             Pressing(IDOK)(s, box);
             Pressing(CancelButtonId)(s, s.App.WaitForWindow(InsertCaption));
         }},
        {"Autor", [](const Session& s) { s.Choose(AboutCommand); return s.App.WaitForMessageBox(L"Programador ..."); },
         Pressing(IDOK)},
        {"Grabar's request for data first", MessageAfter(SaveCommand), Pressing(IDOK)},
        {"Exportar a TXT's request for data first", MessageAfter(ExportTextCommand), Pressing(IDOK)},
        {"Exportar a Tabla RTF's request for data first", MessageAfter(ExportRtfCommand), Pressing(IDOK)},
        {"the file-name dialog",
         [](const Session& s) {
             s.Choose(ReadCommand);
             return s.App.WaitForWindow(FileNameCaption);
         },
         [](const Session& s, HWND) {
             s.GiveFileName(L"nada");
             s.AnswerMessage();
         }},
        {"the file-name dialog's refusal of an empty name",
         [](const Session& s) {
             s.Choose(ReadCommand);
             const HWND dialog = s.App.WaitForWindow(FileNameCaption);
             e2e::TypeText(e2e::Control(dialog, FileNameBoxId), L"");
             e2e::Click(e2e::Control(dialog, FileNameAcceptId));
             return s.App.WaitForMessageBox(MessageTitle);
         },
         [](const Session& s, HWND box) {
             Pressing(IDOK)(s, box);
             s.GiveFileName(L"nada");
             s.AnswerMessage();
         }},
        {"Leer's message for a missing file", MessageAfter(ReadCommand, L"nada"), Pressing(IDOK)},
        {"the configuration dialog", [](const Session& s) { return s.OpenConfigDialog(); }, Pressing(ConfigCancelId)},
        SystemDialogOfConfiguration("the colour chooser", ExpenseTextButton, ColourChooserCaption),
        SystemDialogOfConfiguration("the folder browser", FolderButtonId, FolderBrowserCaption),
    });
}

TEST(EveryDialogAndMessage, OfTheFileCommandsHoldsTheMainWindowWhileOpen)
{
    Session session;
    session.Insert(Saving, L"Nomina", L"10");
    ExpectEachToHoldTheMainWindow(session, {
        {"Grabar's file-name dialog",
         [](const Session& s) {
             s.Choose(SaveCommand);
             return s.App.WaitForWindow(FileNameCaption);
         },
         [](const Session& s, HWND) {
             s.GiveFileName(L"libro");
             s.AnswerMessage();
         }},
        {"Grabar's message", MessageAfter(SaveCommand, L"otro"), Pressing(IDOK)},
        {"the question before replacing a file", MessageAfter(SaveCommand, L"otro"), Pressing(IDNO)},
        {"Grabar's failure", MessageAfter(SaveCommand, L"nada\\libro"), Pressing(IDOK)},
        {"Leer's failure",
         [](const Session& s) {
             CreateDirectoryW(s.PathOf(L"carpeta.log").c_str(), nullptr);
             return MessageAfter(ReadCommand, L"carpeta")(s);
         },
         Pressing(IDOK)},
        {"Exportar a TXT's message", MessageAfter(ExportTextCommand, L"libro"), Pressing(IDOK)},
        {"Exportar a Tabla RTF's message", MessageAfter(ExportRtfCommand, L"libro"), Pressing(IDOK)},
    });
}

// The window a row of the key table works in: the one open now, or else opened
// anew with texts typed in.
using WindowOpener = HWND (*)(const Session&);

HWND MainWindow(const Session& session)
{
    return session.Main;
}

HWND InsertDialog(const Session& session)
{
    if (const HWND open = session.App.FindWindowByCaption(InsertCaption)) return open;
    const HWND dialog = session.OpenInsertDialog();
    session.FillInsertDialog(dialog, Expense, L"Luz", L"4");
    return dialog;
}

HWND LeerFileNameDialog(const Session& session)
{
    if (const HWND open = session.App.FindWindowByCaption(FileNameCaption)) return open;
    session.Choose(ReadCommand);
    const HWND dialog = session.App.WaitForWindow(FileNameCaption);
    e2e::TypeText(e2e::Control(dialog, FileNameBoxId), L"libro");
    return dialog;
}

HWND ConfigDialog(const Session& session)
{
    if (const HWND open = session.App.FindWindowByCaption(ConfigCaption)) return open;
    return session.OpenConfigDialog();
}

// Enter on a focused push button presses it, as everywhere in Windows;
// otherwise Enter and Esc mean nothing, wherever the focus is (a multi-line
// edit box turns Esc into WM_CLOSE). The close command ends the main window,
// the file-name dialog and the configuration dialog (as "Cancelar"), but not
// the insert dialog: only its own buttons end that.
TEST(KeysAndCloseCommand, KeepEachWindowOpenWithItsTextsOrEndItAsSpecified)
{
    using e2e::Keystroke;
    enum Outcome { KeepsTexts, Ends, Inserts, EndsProgram };
    const struct {
        const char* window;
        WindowOpener open;
        int focused;
        Keystroke key;
        Outcome expected;
    } cases[] = {
        {"main window", MainWindow, ListId, Keystroke::Enter, KeepsTexts},
        {"main window", MainWindow, ListId, Keystroke::Esc, KeepsTexts},
        {"insert", InsertDialog, DescriptionBoxId, Keystroke::Enter, KeepsTexts},
        {"insert", InsertDialog, AmountBoxId, Keystroke::Esc, KeepsTexts},
        {"insert", InsertDialog, DatePickerId, Keystroke::Enter, KeepsTexts},
        {"insert", InsertDialog, DatePickerId, Keystroke::Esc, KeepsTexts},
        {"insert", InsertDialog, Expense, Keystroke::Enter, KeepsTexts},
        {"insert", InsertDialog, Expense, Keystroke::Esc, KeepsTexts},
        {"insert", InsertDialog, AcceptButtonId, Keystroke::Esc, KeepsTexts},
        {"insert", InsertDialog, DescriptionBoxId, Keystroke::AltF4, KeepsTexts},
        {"insert", InsertDialog, AmountBoxId, Keystroke::CloseCommand, KeepsTexts},
        {"insert", InsertDialog, AcceptButtonId, Keystroke::Enter, Inserts},
        {"insert", InsertDialog, CancelButtonId, Keystroke::Enter, Ends},
        {"file name", LeerFileNameDialog, FileNameBoxId, Keystroke::Enter, KeepsTexts},
        {"file name", LeerFileNameDialog, FileNameBoxId, Keystroke::Esc, KeepsTexts},
        {"file name", LeerFileNameDialog, FileNameAcceptId, Keystroke::Esc, KeepsTexts},
        {"file name", LeerFileNameDialog, FileNameBoxId, Keystroke::AltF4, Ends},
        {"file name", LeerFileNameDialog, FileNameAcceptId, Keystroke::CloseCommand, Ends},
        {"configuration", ConfigDialog, FolderBoxId, Keystroke::Esc, KeepsTexts},
        {"configuration", ConfigDialog, FolderBoxId, Keystroke::Enter, KeepsTexts},
        {"configuration", ConfigDialog, ExpenseTextButton, Keystroke::Esc, KeepsTexts},
        {"configuration", ConfigDialog, FolderBoxId, Keystroke::AltF4, Ends},
        {"configuration", ConfigDialog, ConfigAcceptId, Keystroke::CloseCommand, Ends},
        {"configuration", ConfigDialog, ConfigCancelId, Keystroke::Enter, Ends},
        {"main window", MainWindow, ListId, Keystroke::AltF4, EndsProgram},
        {"main window", MainWindow, ListId, Keystroke::CloseCommand, EndsProgram},
    };
    std::optional<Session> session;
    std::size_t rows = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.window << ": " << e2e::NameOf(c.key) << " on control " << c.focused);
        if (!session || session->App.HasExited()) {
            session.emplace();
            session->Insert(Saving, L"Nomina", L"10");
            rows = 1;
        }
        const HWND window = c.open(*session);
        const std::vector<std::wstring> texts = e2e::ControlTexts(window);
        e2e::Focus(e2e::Control(window, c.focused));
        e2e::Press(window, c.key);
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
            EXPECT_EQ(e2e::ControlTexts(window), texts);
            EXPECT_EQ(session->App.FindWindowByCaption(MessageTitle), nullptr);
        } else {
            e2e::WaitUntilGone(window);
            EXPECT_TRUE(session->EndedWithoutMessage());
        }
        if (c.expected == Inserts) ++rows;
        EXPECT_EQ(session->Rows().size(), rows);
        EXPECT_EQ(GetFileAttributesW(session->PathOf(L"Configurador.log").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

}  // namespace
