// Cofrelo's configuration dialog, worked through the system's own colour
// chooser and folder browser as a user works them: what "Aceptar" saves and
// puts in force at once, and what "Cancelar" and hand-typed text leave alone.
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
constexpr COLORREF Grey = RGB(128, 128, 128);

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

TEST(Configuration, TheChooserOpensOnGreyCancelKeepsEverythingAcceptPutsTheChoiceInForceAndSavesItOrTellsWhyNot)
{
    Session session;
    session.Insert(SavingOptionId, L"Ahorro", L"10");
    session.Insert(ExpenseOptionId, L"Gasto", L"5");
    session.Insert(CommentOptionId, L"Nota", L"");

    HWND config = session.Open(ConfigurationCommand, ConfigDialogTitle);
    ChooseColour(session, config, SavingBackButtonId, RGB(0, 128, 0));
    EXPECT_EQ(SwatchColour(config, SavingBackSwatchId), RGB(0, 128, 0));
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
    EXPECT_EQ(SwatchColour(config, SavingBackSwatchId), RGB(0, 128, 0));
    chooser = OpenColourChooser(session, config, CommentBackButtonId);
    EXPECT_EQ(ColourInBoxes(chooser), Grey);
    const RECT grid = e2e::ScreenRect(e2e::Control(chooser, CustomColoursId));
    const POINT firstCell{grid.left + (grid.right - grid.left) / 20, grid.top + (grid.bottom - grid.top) / 5};
    EXPECT_EQ(e2e::PixelAt(chooser, firstCell), custom);
    e2e::CloseWith(chooser, IDCANCEL);
    e2e::CloseWith(config, ConfigCancelButtonId);
    EXPECT_TRUE(session.ShowsRowInColours(0, DefaultColours.SavingText, DefaultColours.SavingBack));
    EXPECT_TRUE(session.ShowsRowInColours(1, DefaultColours.ExpenseText, DefaultColours.ExpenseBack));
    EXPECT_TRUE(session.ShowsRowInColours(2, DefaultColours.CommentText, DefaultColours.CommentBack));
    EXPECT_EQ(FolderEntries(session.App.Folder()), std::vector<std::wstring>{L"Cofrelo.exe"});

    Colours chosen = DefaultColours;
    chosen.ExpenseBack = RGB(0, 128, 0);
    chosen.SavingText = RGB(255, 255, 0);
    chosen.CommentBack = RGB(255, 200, 150);
    config = session.Open(ConfigurationCommand, ConfigDialogTitle);  // again from the colours in force
    EXPECT_EQ(SwatchColour(config, SavingBackSwatchId), DefaultColours.SavingBack);
    EXPECT_EQ(e2e::Text(e2e::Control(config, FolderBoxId)), session.App.Folder());
    ChooseColour(session, config, ExpenseBackButtonId, chosen.ExpenseBack);
    ChooseColour(session, config, SavingTextButtonId, chosen.SavingText);
    ChooseColour(session, config, CommentBackButtonId, chosen.CommentBack);
    e2e::Click(e2e::Control(config, FolderButtonId));
    e2e::CloseWith(session.WaitForModal(FolderBrowserTitle), IDCANCEL);
    EXPECT_EQ(e2e::Text(e2e::Control(config, FolderBoxId)), session.App.Folder());
    e2e::TypeText(e2e::Control(config, FolderBoxId), L"C:\\otra\\");  // ignored: only the browser sets it
    // Esc in the multi-line folder box sends WM_CLOSE: the chosen colours must stay.
    e2e::Focus(e2e::Control(config, FolderBoxId));
    e2e::Press(config, e2e::Esc);
    e2e::CloseWith(config, ConfigAcceptButtonId);
    EXPECT_TRUE(session.ShowsRowInColours(0, chosen.SavingText, chosen.SavingBack));
    EXPECT_TRUE(session.ShowsRowInColours(1, chosen.ExpenseText, chosen.ExpenseBack));
    EXPECT_TRUE(session.ShowsRowInColours(2, chosen.CommentText, chosen.CommentBack));
    // The colours, the folder and its NUL; the bytes after that carry no meaning.
    const std::string folder = Ansi(session.App.Folder());
    const std::string saved = FileBytes(session.PathOf(L"Configurador.log"));
    EXPECT_EQ(saved.size(), 279u);
    EXPECT_EQ(saved.substr(0, 25 + folder.size()), SettingsRecord(chosen, folder).substr(0, 25 + folder.size()));
    session.ChooseWithName(SaveCommand, L"libro");
    session.AnswerMessage();
    EXPECT_EQ(FileBytes(session.PathOf(L"libro.log")).size(), 3 * 162u);

    // A folder where the file should go: the new colours hold for the run all the same.
    ASSERT_TRUE(DeleteFileW(session.PathOf(L"Configurador.log").c_str()));
    ASSERT_TRUE(CreateDirectoryW(session.PathOf(L"Configurador.log").c_str(), nullptr));
    config = session.Open(ConfigurationCommand, ConfigDialogTitle);
    ChooseColour(session, config, SavingBackButtonId, RGB(0, 128, 0));
    e2e::Click(e2e::Control(config, ConfigAcceptButtonId));
    const std::wstring text = session.AnswerMessage();
    e2e::WaitUntilGone(config);
    const std::wstring named =
        L"Configuracion NO Grabada en el fichero : \r\n" + session.PathOf(L"Configurador.log") + L"\r\n";
    EXPECT_TRUE(text.starts_with(named) && text.size() > named.size()) << e2e::Utf8(text);
    EXPECT_TRUE(session.ShowsRowInColours(0, chosen.SavingText, RGB(0, 128, 0)));
}

}  // namespace
