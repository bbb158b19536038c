// Cofrelo's configuration dialog with the system's own color chooser and
// folder browser, the keys and the close command in every window, and the
// ways Windows asks a program to end, worked as a user does.
#include "tests/e2e/Walk.h"
#include "tests/e2e/cofrelo/CofreloSession.h"

#include "ledger/settings/ConfigurationFile.h"
#include "tests/support/MemoryFileSystem.h"

#include <gtest/gtest.h>

using namespace cofrelo;

namespace {

// The system's color chooser, captioned as Wine shows it, and its red, green
// and blue boxes: the same ids on Windows and under Wine.
constexpr wchar_t ColorChooserTitle[] = L"Color";
constexpr int ChooserBoxIds[] = {706, 707, 708};

// Opens the chooser, checks that it opens on grey whatever the swatch shows,
// types the color and confirms it; returns the color.
COLORREF PickColor(const Session& session, HWND config, int button, COLORREF color)
{
    e2e::Click(e2e::Control(config, button));
    const HWND chooser = session.WaitForModal(ColorChooserTitle);
    for (int i = 0; i < 3; ++i) {
        const HWND box = e2e::Control(chooser, ChooserBoxIds[i]);
        EXPECT_EQ(e2e::Text(box), L"128");
        e2e::TypeText(box, std::to_wstring((color >> (8 * i)) & 0xFF));
    }
    e2e::CloseWith(chooser, IDOK);
    return color;
}

// In a program folder whose name the ANSI code page cannot hold: "Cancelar"
// changes nothing; "Aceptar" puts the colors in force at once and saves them
// with the folder as ".\", the dialog having started from the colors in force;
// and the next start, wherever the folder now is, takes them from the file.
TEST(ConfigDialog, CancelKeepsEverythingAcceptSavesAndTheNextStartTakesTheColors)
{
    const std::wstring programFolder = L"\u041A\u043E\u043F\u0438\u043B\u043A\u0430 \u0141\u0105ka";
    std::string configuration;
    Settings chosen;
    {
        Session session(std::vector<e2e::ExtraFile>{}, programFolder);
        const std::wstring file = session.PathOf(L"Configurador.log");
        e2e::Walk walk;
        walk("Cancelar", [&] {
            session.InsertEachKind();
            const HWND config = session.Open(ConfigurationCommand, ConfigDialogTitle);
            PickColor(session, config, SavingBackButtonId, RGB(0, 128, 0));
            const RECT swatch = e2e::ScreenRect(e2e::Control(config, SavingBackSwatchId));
            e2e::AwaitColors(config, swatch, RGB(0, 128, 0), RGB(0, 128, 0));  // all over
            e2e::CloseWith(config, ConfigCancelButtonId);
            chosen = DefaultSettings(e2e::Utf8(session.App.Folder()));
            session.AwaitKindColors(chosen);
            EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
        });
        walk("Aceptar", [&] {
            const HWND config = session.Open(ConfigurationCommand, ConfigDialogTitle);
            using enum MovementKind;
            chosen.ColorsOf(Expense).Back = PickColor(session, config, ExpenseBackButtonId, RGB(0, 128, 0));
            chosen.ColorsOf(Saving).Text = PickColor(session, config, SavingTextButtonId, RGB(255, 255, 0));
            chosen.ColorsOf(Comment).Back = PickColor(session, config, CommentBackButtonId, RGB(255, 200, 150));
            e2e::Click(e2e::Control(config, FolderButtonId));
            e2e::CloseWith(session.WaitForModal(L"Browse for Folder"), IDCANCEL);  // Windows: "Browse For Folder"
            e2e::TypeText(e2e::Control(config, FolderBoxId), L"C:\\otra\\");  // ignored: only the browser sets it
            e2e::CloseWith(config, ConfigAcceptButtonId);
            EXPECT_TRUE(session.EndedWithoutMessage());
            session.AwaitKindColors(chosen);
            configuration = e2e::FileBytes(file);
            MemoryFileSystem files;
            ConfigurationFile expected(files, e2e::Utf8(session.App.Folder()), SystemAnsiCodePage());
            ASSERT_TRUE(expected.SaveSettings(chosen));
            EXPECT_EQ(configuration, *files.Find(expected.Path()));  // the folder as ".\" among them
        });
    }
    Session next(std::vector<e2e::ExtraFile>{{L"Configurador.log", configuration}}, programFolder);
    next.InsertEachKind();
    next.AwaitKindColors(chosen);
}

// Enter on a focused push button presses it, as everywhere in Windows;
// otherwise Enter and Esc mean nothing, wherever the focus is (a multi-line
// edit box turns Esc into WM_CLOSE). The close command (Alt+F4 among its
// roads) ends the main window, the configuration dialog (as "Cancelar") and
// the file-name dialog (which reads nothing), but not the insert dialog: only
// its own buttons end that.
// Whether a focus is kept across deactivation is the dialog kit's, the same in
// every window: CalculatorWindowTest sees it.
TEST(Keys, EveryWindowTakesItsKeysAndTheCloseCommand)
{
    Session session;
    session.InsertEachKind();  // the kind chosen last is a comment, which needs no amount
    using namespace e2e;
    enum Outcome { KeepsTexts, Ends, EndsProgram };
    // The command that opens the window (0: the main window) and the control focused, which a window opened
    // anew gets a text typed into (an edit box that is not read-only takes it).
    const struct { int command; const wchar_t* title; int focused; Keystroke key; Outcome expected; } cases[] = {
        {0, MainWindowTitle, LedgerListId, Esc, KeepsTexts},
        {ReadCommand, FileNameDialogTitle, NameBoxId, Enter, KeepsTexts},
        {ReadCommand, FileNameDialogTitle, NameBoxId, AltF4, Ends},
        {ConfigurationCommand, ConfigDialogTitle, FolderBoxId, Esc, KeepsTexts},
        {ConfigurationCommand, ConfigDialogTitle, FolderBoxId, Enter, KeepsTexts},
        {ConfigurationCommand, ConfigDialogTitle, FolderBoxId, CloseCommand, Ends},
        {InsertCommand, InsertDialogTitle, DescriptionBoxId, Enter, KeepsTexts},
        {InsertCommand, InsertDialogTitle, DescriptionBoxId, CloseCommand, KeepsTexts},
        {InsertCommand, InsertDialogTitle, InsertAcceptButtonId, Enter, Ends},  // the comment typed is inserted
        {0, MainWindowTitle, LedgerListId, CloseCommand, EndsProgram},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << Utf8(c.title) << ": " << c.key.Name << " on control " << c.focused);
        HWND window = c.command ? session.App.FindTopLevel(c.title) : session.Main;
        if (!window) {
            window = session.Open(c.command, c.title);
            TypeText(Control(window, c.focused), L"libro");
        }
        const HWND focused = Control(window, c.focused);
        const std::wstring typed = Text(focused);
        Focus(focused);
        Press(focused, c.key);
        if (c.expected == EndsProgram) {
            EXPECT_EQ(session.App.WaitForExit(), 0u);
        } else if (c.expected == KeepsTexts) {
            ASSERT_TRUE(IsWindowVisible(window)) << "the window has closed";
            EXPECT_EQ(Text(focused), typed);
        } else {
            WaitUntilGone(window);
            EXPECT_TRUE(session.EndedWithoutMessage());
        }
    }
    EXPECT_EQ(GetFileAttributesW(session.PathOf(L"Configurador.log").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Cofrelo ends as Windows asks programs to end: taskkill without /F ("End
// task" alike) sends WM_CLOSE to its windows, the Restart Manager and a
// logoff end the session. Nothing is saved or asked at exit, so each ends it
// with exit code 0, whatever dialog or message box is open.
TEST(Closing, TaskkillAndTheEndOfTheSessionEndTheProgramWithZero)
{
    {
        SCOPED_TRACE("taskkill, the insert dialog open");
        Session session;
        session.Open(InsertCommand, InsertDialogTitle);
        EXPECT_EQ(e2e::RunToEnd(L"taskkill.exe /PID " + std::to_wstring(session.App.ProcessId())), 0u);
        EXPECT_EQ(session.App.WaitForExit(), 0u);
    }
    SCOPED_TRACE("the end of the session, the message of \"Autor\" open");
    Session session;
    session.Choose(AboutCommand);
    const std::wstring about = e2e::MessageText(session.WaitForModal(AboutTitle));
    EXPECT_TRUE(about.ends_with(L"\r\nVisitame ...\r\nGracias !!")) << e2e::Utf8(about);
    EXPECT_EQ(e2e::SendBounded(session.Main, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP), TRUE);
    PostMessageW(session.Main, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
    EXPECT_EQ(session.App.WaitForExit(), 0u);
}

}  // namespace
