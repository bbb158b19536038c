// Cofrelo's configuration dialog with the system's own color chooser and
// folder browser, and the keys and the close command in every window, worked
// as a user does.
#include "tests/e2e/Walk.h"
#include "tests/e2e/cofrelo/CofreloSession.h"

#include <gtest/gtest.h>

#include <charconv>

using namespace cofrelo;

namespace {

// The system's color chooser, captioned as Wine shows it, and its red, green
// and blue boxes: the same ids on Windows and under Wine.
constexpr wchar_t ColorChooserTitle[] = L"Color";
constexpr int ChooserBoxIds[] = {706, 707, 708};

// Opens the chooser, checks that it opens on grey whatever the swatch shows,
// types the color and confirms it.
void PickColor(const Session& session, HWND config, int button, COLORREF color)
{
    e2e::Click(e2e::Control(config, button));
    const HWND chooser = session.WaitForModal(ColorChooserTitle);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(e2e::Text(e2e::Control(chooser, ChooserBoxIds[i])), L"128");
        char digits[3];
        char* const end = std::to_chars(std::begin(digits), std::end(digits), (color >> (8 * i)) & 0xFF).ptr;
        e2e::TypeText(e2e::Control(chooser, ChooserBoxIds[i]), std::wstring(digits, end));
    }
    e2e::CloseWith(chooser, IDOK);
}

// In a program folder whose name the ANSI code page cannot hold: "Cancelar"
// changes nothing; "Aceptar" puts the colors in force at once and saves them
// with the folder as ".\", or tells why not; the next opening starts from the
// colors in force; and the next start, wherever the folder now is, takes them
// from the file.
TEST(ConfigDialog, CancelKeepsEverythingAcceptSavesAndTheNextStartTakesTheColors)
{
    const std::wstring programFolder = L"\u041A\u043E\u043F\u0438\u043B\u043A\u0430 \u0141\u0105ka";
    const std::wstring ledgerName = L"\u0141\u00F3d\u017A";
    std::string configuration;
    Settings chosen;
    {
        Session session(std::vector<e2e::ExtraFile>{}, programFolder);
        const std::wstring file = session.PathOf(L"Configurador.log");
        e2e::Walk walk;
        std::string records;
        walk("Cancelar", [&] {
            records = session.InsertEachKind();
            const HWND config = session.Open(ConfigurationCommand, ConfigDialogTitle);
            PickColor(session, config, SavingBackButtonId, RGB(0, 128, 0));
            const RECT swatch = e2e::ScreenRect(e2e::Control(config, SavingBackSwatchId));
            e2e::AwaitColors(config, swatch, RGB(0, 128, 0), RGB(0, 128, 0));  // all over
            e2e::CloseWith(config, ConfigCancelButtonId);
            chosen = DefaultSettings(session.ProgramFolder());
            session.AwaitKindColors(chosen);
            EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
        });
        walk("Aceptar where the file cannot go: the message, and the colors in force all the same", [&] {
            ASSERT_TRUE(CreateDirectoryW(file.c_str(), nullptr));
            const HWND config = session.Open(ConfigurationCommand, ConfigDialogTitle);
            chosen.ColorsOf(MovementKind::Expense).Back = RGB(0, 128, 0);
            chosen.ColorsOf(MovementKind::Saving).Text = RGB(255, 255, 0);
            chosen.ColorsOf(MovementKind::Comment).Back = RGB(255, 200, 150);
            PickColor(session, config, ExpenseBackButtonId, chosen.ColorsOf(MovementKind::Expense).Back);
            PickColor(session, config, SavingTextButtonId, chosen.ColorsOf(MovementKind::Saving).Text);
            PickColor(session, config, CommentBackButtonId, chosen.ColorsOf(MovementKind::Comment).Back);
            e2e::Click(e2e::Control(config, FolderButtonId));
            e2e::CloseWith(session.WaitForModal(L"Browse for Folder"), IDCANCEL);  // Windows: "Browse For Folder"
            e2e::TypeText(e2e::Control(config, FolderBoxId), L"C:\\otra\\");  // ignored: only the browser sets it
            e2e::Click(e2e::Control(config, ConfigAcceptButtonId));
            const std::wstring text = session.AnswerMessage();
            const std::wstring named = L"Configuracion NO Grabada en el fichero : \r\n" + file + L"\r\n";
            EXPECT_TRUE(text.starts_with(named) && text.size() > named.size()) << e2e::Utf8(text);
            e2e::WaitUntilGone(config);
            session.AwaitKindColors(chosen);
            ASSERT_TRUE(RemoveDirectoryW(file.c_str()));
        });
        walk("Aceptar, the next opening starting from the colors in force", [&] {
            e2e::CloseWith(session.Open(ConfigurationCommand, ConfigDialogTitle), ConfigAcceptButtonId);
            EXPECT_TRUE(session.EndedWithoutMessage());
            configuration = e2e::FileBytes(file);
            EXPECT_EQ(configuration, ConfigurationBytes(chosen, session.ProgramFolder()));
            EXPECT_EQ(configuration.substr(24, 3), std::string(".\\\0", 3));
        });
        walk("files land in that folder under exactly the name typed", [&] {
            session.ChooseWithName(SaveCommand, ledgerName);
            EXPECT_EQ(session.AnswerMessage(), L"Ahorros Grabados con el nombre : \r\n" + ledgerName);
            EXPECT_EQ(e2e::FileBytes(session.PathOf(ledgerName + L".log")), records);
            session.ChooseWithName(ReadCommand, ledgerName);
            EXPECT_TRUE(session.EndedWithoutMessage());
        });
    }
    Session next(std::vector<e2e::ExtraFile>{{L"Configurador.log", configuration}}, programFolder);
    next.InsertEachKind();
    next.AwaitKindColors(chosen);
}

// The focused control, remembered on deactivation, has the focus back on
// reactivation, whatever had it meanwhile. Enter on a focused push button
// presses it, as everywhere in Windows; otherwise Enter and Esc mean nothing,
// wherever the focus is (a multi-line edit box turns Esc into WM_CLOSE). The
// close command ends the main window, the configuration dialog (as
// "Cancelar") and the file-name dialog (which leaves the name as it was:
// "Leer" reads the ledger saved last again), but not the insert dialog: only
// its own buttons end that.
TEST(Keys, EveryWindowKeepsItsFocusAndTakesItsKeys)
{
    Session next;
    next.InsertEachKind();
    next.ChooseWithName(SaveCommand, L"libro");
    next.AnswerMessage();
    const struct { int command; const wchar_t* title; int focused, meanwhile, closer; } keepers[] = {
        {InsertCommand, InsertDialogTitle, DatePickerId, DescriptionBoxId, InsertCancelButtonId},
        {ReadCommand, FileNameDialogTitle, NameAcceptButtonId, NameBoxId, NameAcceptButtonId},
        {ConfigurationCommand, ConfigDialogTitle, FolderBoxId, ConfigAcceptButtonId, ConfigCancelButtonId},
    };
    for (const auto& k : keepers) {
        const HWND window = next.Open(k.command, k.title), focused = e2e::Control(window, k.focused);
        e2e::Focus(focused);
        const HWND meanwhile = e2e::Control(window, k.meanwhile);
        EXPECT_EQ(e2e::FocusAfterReactivation(window, meanwhile), focused) << e2e::Utf8(k.title);
        e2e::CloseWith(window, k.closer);
    }

    // A dialog that a row does not find open is opened anew, with a text typed in.
    using namespace e2e;
    enum Outcome { KeepsTexts, Ends, Inserts, EndsProgram };
    // The command that opens the window (0: the main window), the box typed into, the control focused.
    const struct { int command; const wchar_t* title; int typedInto, focused; Keystroke key; Outcome expected; }
        cases[] = {
        {0, MainWindowTitle, 0, LedgerListId, Enter, KeepsTexts},
        {0, MainWindowTitle, 0, LedgerListId, Esc, KeepsTexts},
        {ReadCommand, FileNameDialogTitle, NameBoxId, NameBoxId, Enter, KeepsTexts},
        {ReadCommand, FileNameDialogTitle, NameBoxId, NameBoxId, Esc, KeepsTexts},
        {ReadCommand, FileNameDialogTitle, NameBoxId, NameAcceptButtonId, CloseCommand, Ends},
        {ConfigurationCommand, ConfigDialogTitle, 0, FolderBoxId, Esc, KeepsTexts},
        {ConfigurationCommand, ConfigDialogTitle, 0, FolderBoxId, Enter, KeepsTexts},
        {ConfigurationCommand, ConfigDialogTitle, 0, ConfigAcceptButtonId, CloseCommand, Ends},
        {ReadCommand, FileNameDialogTitle, NameBoxId, NameBoxId, AltF4, Ends},
        {InsertCommand, InsertDialogTitle, DescriptionBoxId, DescriptionBoxId, Enter, KeepsTexts},
        {InsertCommand, InsertDialogTitle, DescriptionBoxId, DatePickerId, Esc, KeepsTexts},
        {InsertCommand, InsertDialogTitle, DescriptionBoxId, DescriptionBoxId, CloseCommand, KeepsTexts},
        {InsertCommand, InsertDialogTitle, DescriptionBoxId, InsertAcceptButtonId, Enter, Inserts},
        {0, MainWindowTitle, 0, LedgerListId, CloseCommand, EndsProgram},
    };
    std::size_t rows = 3;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << Utf8(c.title) << ": " << c.key.Name << " on control " << c.focused);
        HWND window = c.command ? next.App.FindTopLevel(c.title) : next.Main;
        if (!window) {
            window = next.Open(c.command, c.title);
            if (c.typedInto) TypeText(Control(window, c.typedInto), L"libro");
        }
        const std::wstring typed = c.typedInto ? Text(Control(window, c.typedInto)) : L"";
        Focus(Control(window, c.focused));
        Press(Control(window, c.focused), c.key);
        if (c.expected == EndsProgram) {
            EXPECT_EQ(next.App.WaitForExit(), 0u);
        } else if (c.expected == KeepsTexts) {
            ASSERT_TRUE(IsWindowVisible(window)) << "the window has closed";
            EXPECT_EQ(c.typedInto ? Text(Control(window, c.typedInto)) : L"", typed);
            EXPECT_FALSE(next.App.FindTopLevel(MessageTitle));
        } else {
            WaitUntilGone(window);
            EXPECT_TRUE(next.EndedWithoutMessage());
            if (c.expected == Inserts) ++rows;
            EXPECT_EQ(next.Rows().size(), rows);
        }
    }
    EXPECT_EQ(GetFileAttributesW(next.PathOf(L"Configurador.log").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
