// Cofrelo's menu commands that work on the whole ledger or on nothing but the
// screen: "Formato Americano", "Nuevo", "Autor", and the rule that every
// dialog and message of a command holds the main window until it closes.
#include "CofreloSession.h"

#include "Controls.h"
#include "Menu.h"
#include "Window.h"

#include <gtest/gtest.h>

#include <functional>

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

}  // namespace
