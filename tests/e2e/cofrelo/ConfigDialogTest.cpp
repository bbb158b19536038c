// Cofrelo's configuration dialog, worked through the system's own colour
// chooser and folder browser as a user works them, in a program folder whose
// name the ANSI code page cannot hold: what "Aceptar" saves and puts in force
// at once, what "Cancelar" and hand-typed text leave alone, and what the next
// start takes from the file.
#include "cofrelo/CofreloSession.h"

#include <gtest/gtest.h>

#include <charconv>

using namespace cofrelo;

namespace {

// The system's dialogs, captioned as Wine shows them (Windows says "Browse For Folder").
constexpr wchar_t ColourChooserTitle[] = L"Color";
constexpr wchar_t FolderBrowserTitle[] = L"Browse for Folder";
// The colour chooser's red, green and blue boxes, "Add to Custom Colors" and
// its grid of custom colours: the same ids on Windows and under Wine.
constexpr int ChooserBoxIds[] = {706, 707, 708};
constexpr int AddCustomColourId = 712;
constexpr int CustomColoursId = 721;
constexpr COLORREF Grey = RGB(128, 128, 128), Green = RGB(0, 128, 0);

COLORREF SwatchColour(HWND config, int swatchId)
{
    const RECT swatch = e2e::ScreenRect(e2e::Control(config, swatchId));
    return e2e::PixelAt(config, {(swatch.left + swatch.right) / 2, (swatch.top + swatch.bottom) / 2});
}

HWND OpenColourChooser(const Session& session, HWND config, int button)
{
    e2e::Click(e2e::Control(config, button));
    return session.WaitForModal(ColourChooserTitle);
}

COLORREF ColourInBoxes(HWND chooser)
{
    COLORREF colour = 0;
    for (int i = 0; i < 3; ++i) {
        COLORREF value = 0;
        for (wchar_t digit : e2e::Text(e2e::Control(chooser, ChooserBoxIds[i]))) value = value * 10 + (digit - L'0');
        colour |= value << (8 * i);
    }
    return colour;
}

void TypeColour(HWND chooser, COLORREF colour)
{
    for (int i = 0; i < 3; ++i) {
        char digits[3];
        char* const end = std::to_chars(std::begin(digits), std::end(digits), (colour >> (8 * i)) & 0xFF).ptr;
        e2e::TypeText(e2e::Control(chooser, ChooserBoxIds[i]), std::wstring(digits, end));
    }
}

void ChooseColour(const Session& session, HWND config, int button, COLORREF colour)
{
    const HWND chooser = OpenColourChooser(session, config, button);
    TypeColour(chooser, colour);
    e2e::CloseWith(chooser, IDOK);
}

TEST(Configuration, CancelKeepsEverythingAcceptPutsTheChoiceInForceAndSavesItForTheNextStartOrTellsWhyNot)
{
    const std::wstring programFolder = L"\u041A\u043E\u043F\u0438\u043B\u043A\u0430 \u0141\u0105ka";
    const std::wstring ledgerName = L"\u0141\u00F3d\u017A";
    std::string configuration;
    Settings chosen;
    {
        Session session({}, programFolder);
        const std::string records = session.InsertEachKind();
        HWND config = session.Open(ConfigurationCommand, ConfigDialogTitle);
        ChooseColour(session, config, SavingBackButtonId, Green);
        EXPECT_EQ(SwatchColour(config, SavingBackSwatchId), Green);
        // The chooser opens on grey beside the dialog, whatever the swatch shows,
        // and offers again a custom colour added before, even on "Cancel".
        constexpr COLORREF custom = RGB(10, 200, 30);
        HWND chooser = OpenColourChooser(session, config, SavingBackButtonId);
        EXPECT_FALSE(IsWindowEnabled(config));
        EXPECT_EQ(ColourInBoxes(chooser), Grey);
        EXPECT_EQ(e2e::ScreenRect(chooser).left - e2e::ScreenRect(config).left, 30);
        EXPECT_EQ(e2e::ScreenRect(chooser).top - e2e::ScreenRect(config).top, 30);
        TypeColour(chooser, custom);
        e2e::Click(e2e::Control(chooser, AddCustomColourId));
        e2e::CloseWith(chooser, IDCANCEL);
        EXPECT_EQ(SwatchColour(config, SavingBackSwatchId), Green);
        chooser = OpenColourChooser(session, config, CommentBackButtonId);
        EXPECT_EQ(ColourInBoxes(chooser), Grey);
        const RECT grid = e2e::ScreenRect(e2e::Control(chooser, CustomColoursId));
        const POINT firstCell{grid.left + (grid.right - grid.left) / 20, grid.top + (grid.bottom - grid.top) / 5};
        EXPECT_EQ(e2e::PixelAt(chooser, firstCell), custom);
        e2e::CloseWith(chooser, IDCANCEL);
        e2e::CloseWith(config, ConfigCancelButtonId);
        const Settings defaults = DefaultSettings(session.ProgramFolder());
        session.AwaitKindColours(defaults);
        EXPECT_EQ(e2e::FolderEntries(session.App.Folder()), std::vector<std::wstring>{L"Cofrelo.exe"});

        chosen = defaults;
        chosen.ExpenseBackColor = Green;
        chosen.SavingTextColor = RGB(255, 255, 0);
        chosen.CommentBackColor = RGB(255, 200, 150);
        config = session.Open(ConfigurationCommand, ConfigDialogTitle);  // again from the colours in force
        EXPECT_EQ(SwatchColour(config, SavingBackSwatchId), defaults.SavingBackColor);
        ChooseColour(session, config, ExpenseBackButtonId, chosen.ExpenseBackColor);
        ChooseColour(session, config, SavingTextButtonId, chosen.SavingTextColor);
        ChooseColour(session, config, CommentBackButtonId, chosen.CommentBackColor);
        e2e::Click(e2e::Control(config, FolderButtonId));
        e2e::CloseWith(session.WaitForModal(FolderBrowserTitle), IDCANCEL);
        e2e::TypeText(e2e::Control(config, FolderBoxId), L"C:\\otra\\");  // ignored: only the browser sets it
        e2e::CloseWith(config, ConfigAcceptButtonId);
        session.AwaitKindColours(chosen);
        // The folder, which the ANSI code page cannot hold, is kept as ".\".
        configuration = e2e::FileBytes(session.PathOf(L"Configurador.log"));
        EXPECT_EQ(configuration, ConfigurationBytes(chosen, session.ProgramFolder()));
        EXPECT_EQ(configuration.substr(24, 3), std::string(".\\\0", 3));
        // Files land in that folder under exactly the name typed.
        session.ChooseWithName(SaveCommand, ledgerName);
        EXPECT_EQ(session.AnswerMessage(), L"Ahorros Grabados con el nombre : \r\n" + ledgerName);
        EXPECT_EQ(e2e::FileBytes(session.PathOf(ledgerName + L".log")), records);
        session.ChooseWithName(ReadCommand, ledgerName);
        EXPECT_TRUE(session.EndedWithoutMessage());
        EXPECT_EQ(e2e::FolderEntries(session.App.Folder()),
                  (std::vector<std::wstring>{L"Cofrelo.exe", L"Configurador.log", ledgerName + L".log"}));

        // A folder where the file should go: the new colours hold for the run all the same.
        ASSERT_TRUE(DeleteFileW(session.PathOf(L"Configurador.log").c_str()));
        ASSERT_TRUE(CreateDirectoryW(session.PathOf(L"Configurador.log").c_str(), nullptr));
        config = session.Open(ConfigurationCommand, ConfigDialogTitle);
        ChooseColour(session, config, SavingBackButtonId, Green);
        e2e::Click(e2e::Control(config, ConfigAcceptButtonId));
        const std::wstring text = session.AnswerMessage();
        e2e::WaitUntilGone(config);
        const std::wstring named =
            L"Configuracion NO Grabada en el fichero : \r\n" + session.PathOf(L"Configurador.log") + L"\r\n";
        EXPECT_TRUE(text.starts_with(named) && text.size() > named.size()) << e2e::Utf8(text);
        Settings unsaved = chosen;
        unsaved.SavingBackColor = Green;
        session.AwaitKindColours(unsaved);
    }
    // The next start, wherever the folder now is, takes the colours and finds the folder.
    Session next({{L"Configurador.log", configuration}}, programFolder);
    const std::string records = next.InsertEachKind();
    next.AwaitKindColours(chosen);
    next.ChooseWithName(SaveCommand, ledgerName);
    next.AnswerMessage();
    EXPECT_EQ(e2e::FileBytes(next.PathOf(ledgerName + L".log")), records);
}

}  // namespace
