// Cofrelo's configuration dialog, worked through the system's own colour
// chooser and folder browser as a user works them: what "Aceptar" saves and
// puts in force at once, and what "Cancelar" and hand-typed text leave alone.
#include "CofreloSession.h"

#include "Controls.h"
#include "ListView.h"
#include "Screen.h"
#include "Window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace cofrelo;

namespace {

// The system's colour chooser, opened full: its red, green and blue boxes,
// "Add to Custom Colors", and the 2 x 8 grid of custom colours (the same ids
// on Windows and under Wine).
constexpr int ChooserRedBoxId = 706;
constexpr int ChooserGreenBoxId = 707;
constexpr int ChooserBlueBoxId = 708;
constexpr int AddCustomColourId = 712;
constexpr int CustomColoursId = 721;
// The folder browser's tree of the shell's folders.
constexpr int FolderTreeId = 14145;

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Grey = RGB(128, 128, 128);
constexpr Colours DefaultColours{White, White, White, RGB(255, 0, 0), RGB(0, 0, 255), RGB(192, 192, 192)};
constexpr int ChooserOffset = 30;

// The swatch that shows each button's colour.
int SwatchOf(ColourButton button)
{
    switch (button) {
    case ExpenseTextButton: return 1014;
    case ExpenseBackButton: return 1017;
    case SavingTextButton: return 1026;
    case SavingBackButton: return 1028;
    case CommentTextButton: return 1043;
    case CommentBackButton: return 1045;
    }
    return 0;
}

COLORREF SwatchColour(HWND config, ColourButton button)
{
    const RECT swatch = e2e::ScreenRect(e2e::Control(config, SwatchOf(button)));
    return e2e::PixelAt(config, {(swatch.left + swatch.right) / 2, (swatch.top + swatch.bottom) / 2});
}

HWND OpenColourChooser(const Session& session, HWND config, ColourButton button)
{
    e2e::Click(e2e::Control(config, button));
    return session.App.WaitForWindow(ColourChooserCaption);
}

COLORREF ColourInBoxes(HWND chooser)
{
    const auto value = [&](int box) { return static_cast<BYTE>(std::stoi(e2e::Text(e2e::Control(chooser, box)))); };
    return RGB(value(ChooserRedBoxId), value(ChooserGreenBoxId), value(ChooserBlueBoxId));
}

void TypeColour(HWND chooser, COLORREF colour)
{
    e2e::TypeText(e2e::Control(chooser, ChooserRedBoxId), std::to_wstring(GetRValue(colour)));
    e2e::TypeText(e2e::Control(chooser, ChooserGreenBoxId), std::to_wstring(GetGValue(colour)));
    e2e::TypeText(e2e::Control(chooser, ChooserBlueBoxId), std::to_wstring(GetBValue(colour)));
}

void ChooseColour(const Session& session, HWND config, ColourButton button, COLORREF colour)
{
    const HWND chooser = OpenColourChooser(session, config, button);
    TypeColour(chooser, colour);
    e2e::Click(e2e::Control(chooser, IDOK));
    e2e::WaitUntilGone(chooser);
}

// Inside the first cell of the custom colours, clear of its frame.
POINT FirstCustomColourCell(HWND chooser)
{
    const RECT grid = e2e::ScreenRect(e2e::Control(chooser, CustomColoursId));
    return {grid.left + (grid.right - grid.left) / 8 * 2 / 5, grid.top + (grid.bottom - grid.top) / 2 * 2 / 5};
}

// A mouse click at a screen point of the window, posted as the system posts it.
void ClickAt(HWND window, POINT screenPoint)
{
    e2e::RequireReachable(window, "click in");
    POINT client = screenPoint;
    ScreenToClient(window, &client);
    const LPARAM where = MAKELPARAM(client.x, client.y);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    e2e::PostAndWaitUntilTaken(window, WM_LBUTTONUP, 0, where);
}

// The folder browser's tree view, read and worked through a buffer inside the
// program, as the driver's ListView does: its messages carry pointers.
class FolderTree {
public:
    explicit FolderTree(HWND tree) : tree_(tree), buffer_(tree, TextOffset + TextCapacity * sizeof(wchar_t)) {}

    HTREEITEM Root() const { return Next(TVGN_ROOT, nullptr); }
    HTREEITEM FirstChild(HTREEITEM item) const { return Next(TVGN_CHILD, item); }
    HTREEITEM NextSibling(HTREEITEM item) const { return Next(TVGN_NEXT, item); }

    std::wstring Text(HTREEITEM item) const
    {
        TVITEMW record{};
        record.mask = TVIF_TEXT;
        record.hItem = item;
        record.pszText = reinterpret_cast<wchar_t*>(buffer_.AddressOf(TextOffset));
        record.cchTextMax = static_cast<int>(TextCapacity);
        const wchar_t nothing = L'\0';
        buffer_.Write(TextOffset, &nothing, sizeof nothing);
        buffer_.Write(0, &record, sizeof record);
        e2e::SendBounded(tree_, TVM_GETITEMW, 0, static_cast<LPARAM>(buffer_.AddressOf(0)));
        std::wstring text(TextCapacity, L'\0');
        buffer_.Read(TextOffset, text.data(), TextCapacity * sizeof(wchar_t));
        text.resize(text.find(L'\0'));
        return text;
    }

    // As a click on the item's "+": the browser lists the folder's subfolders
    // as the node opens.
    void Expand(HTREEITEM item) const
    {
        e2e::SendBounded(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    }

    void Select(HTREEITEM item) const
    {
        e2e::SendBounded(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
        e2e::SendBounded(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    }

    HTREEITEM ChildNamed(HTREEITEM parent, std::wstring_view name) const
    {
        Expand(parent);
        for (HTREEITEM child = FirstChild(parent); child; child = NextSibling(child))
            if (CompareStringOrdinal(Text(child).c_str(), -1, std::wstring(name).c_str(), -1, TRUE) == CSTR_EQUAL)
                return child;
        throw e2e::DriverError("the folder browser shows no \"" + e2e::Utf8(name) + "\" under \"" +
                               e2e::Utf8(Text(parent)) + "\"");
    }

    // The drive (such as "C:") among the children of the desktop's items, as
    // the computer lists them: its text ends with the letter in brackets.
    HTREEITEM Drive(std::wstring_view drive) const
    {
        const std::wstring mark = L"(" + std::wstring(drive) + L")";
        for (HTREEITEM place = FirstChild(Root()); place; place = NextSibling(place)) {
            Expand(place);
            for (HTREEITEM child = FirstChild(place); child; child = NextSibling(child))
                if (Text(child).ends_with(mark)) return child;
        }
        throw e2e::DriverError("the folder browser shows no drive " + e2e::Utf8(drive));
    }

private:
    static constexpr std::size_t TextOffset = 256;
    static constexpr std::size_t TextCapacity = 512;
    static_assert(sizeof(TVITEMW) <= TextOffset);

    HTREEITEM Next(UINT relation, HTREEITEM item) const
    {
        return reinterpret_cast<HTREEITEM>(
            e2e::SendBounded(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }

    HWND tree_;
    e2e::RemoteBuffer buffer_;
};

// Opens the folder browser from the dialog, walks its tree down to the folder
// (a full path such as C:\a\b, without a final backslash), selects it and
// presses OK.
void BrowseForFolder(const Session& session, HWND config, const std::wstring& folder)
{
    e2e::Click(e2e::Control(config, FolderButtonId));
    const HWND browser = session.App.WaitForWindow(FolderBrowserCaption);
    const FolderTree tree(e2e::Control(browser, FolderTreeId));
    HTREEITEM item = tree.Drive(folder.substr(0, 2));
    for (std::size_t start = 3; start < folder.size();) {
        const std::size_t end = std::min(folder.find(L'\\', start), folder.size());
        item = tree.ChildNamed(item, folder.substr(start, end - start));
        start = end + 1;
    }
    tree.Select(item);
    e2e::Click(e2e::Control(browser, IDOK));
    e2e::WaitUntilGone(browser);
}

void Press(HWND config, int button)
{
    e2e::Click(e2e::Control(config, button));
    e2e::WaitUntilGone(config);
}

// The record's colours and its folder with the NUL after it; the bytes after
// that carry no meaning.
std::string MeaningfulPart(const std::string& record, std::size_t folderLength)
{
    return record.substr(0, 24 + folderLength + 1);
}

TEST(Configuration, AcceptPutsTheChosenColoursAndFolderInForceAndSavesThem)
{
    Session session;
    session.Insert(Saving, L"Ahorro", L"10");
    session.Insert(Expense, L"Gasto", L"5");
    session.Insert(Comment, L"Nota", L"");
    const std::wstring data = session.PathOf(L"datos");
    ASSERT_TRUE(CreateDirectoryW(data.c_str(), nullptr));
    const Colours chosen{White, RGB(255, 255, 0), White, RGB(0, 128, 0), RGB(0, 0, 255), RGB(255, 200, 150)};

    const HWND config = session.OpenConfigDialog();
    EXPECT_EQ(e2e::Text(e2e::Control(config, FolderBoxId)), session.App.Folder());
    ChooseColour(session, config, ExpenseBackButton, chosen.ExpenseBack);
    ChooseColour(session, config, SavingTextButton, chosen.SavingText);
    ChooseColour(session, config, CommentBackButton, chosen.CommentBack);
    EXPECT_EQ(SwatchColour(config, ExpenseBackButton), chosen.ExpenseBack);
    BrowseForFolder(session, config, data);
    EXPECT_EQ(e2e::Text(e2e::Control(config, FolderBoxId)), data + L"\\");
    Press(config, ConfigAcceptId);

    EXPECT_TRUE(session.ShowsRowInColours(0, chosen.SavingText, chosen.SavingBack));
    EXPECT_TRUE(session.ShowsRowInColours(1, chosen.ExpenseText, chosen.ExpenseBack));
    EXPECT_TRUE(session.ShowsRowInColours(2, chosen.CommentText, chosen.CommentBack));
    const std::string folder = Ansi(data + L"\\");
    const std::string saved = FileBytes(session.PathOf(L"Configurador.log"));
    EXPECT_EQ(saved.size(), 279u);
    EXPECT_EQ(MeaningfulPart(saved, folder.size()), MeaningfulPart(SettingsRecord(chosen, folder), folder.size()));

    session.ChooseWithName(SaveCommand, L"libro");
    session.AnswerMessage();
    EXPECT_EQ(FileBytes(data + L"\\libro.log").size(), 3 * 162u);
}

TEST(Configuration, CancelKeepsTheColoursInForceAndTheFile)
{
    const Colours configured{RGB(10, 20, 30), RGB(250, 240, 0), RGB(0, 0, 0),
                             RGB(0, 128, 0),  RGB(128, 0, 128), RGB(255, 200, 150)};
    const std::string file = SettingsRecord(configured, "");
    Session session({{L"Configurador.log", file}});
    session.Insert(Saving, L"Ahorro", L"10");

    HWND config = session.OpenConfigDialog();
    ChooseColour(session, config, SavingBackButton, RGB(0, 0, 255));
    EXPECT_EQ(SwatchColour(config, SavingBackButton), RGB(0, 0, 255));
    Press(config, ConfigCancelId);
    EXPECT_TRUE(session.ShowsRowInColours(0, configured.SavingText, configured.SavingBack));
    EXPECT_EQ(FileBytes(session.PathOf(L"Configurador.log")), file);

    config = session.OpenConfigDialog();  // starts again from the colours in force
    EXPECT_EQ(SwatchColour(config, SavingBackButton), configured.SavingBack);
    Press(config, ConfigCancelId);
}

TEST(Configuration, KeepsAChosenColourThroughEscInTheFolderBoxAndSavesItOnAccept)
{
    Session session;
    const HWND config = session.OpenConfigDialog();
    ChooseColour(session, config, SavingBackButton, RGB(0, 128, 0));
    e2e::Focus(e2e::Control(config, FolderBoxId));
    e2e::PressKey(config, VK_ESCAPE);
    ASSERT_TRUE(IsWindowVisible(config));
    Press(config, ConfigAcceptId);

    Colours expected = DefaultColours;
    expected.SavingBack = RGB(0, 128, 0);
    const std::string folder = Ansi(session.App.Folder());
    EXPECT_EQ(MeaningfulPart(FileBytes(session.PathOf(L"Configurador.log")), folder.size()),
              MeaningfulPart(SettingsRecord(expected, folder), folder.size()));
}

TEST(Configuration, AcceptIgnoresAFolderTypedByHand)
{
    Session session;
    const HWND config = session.OpenConfigDialog();
    e2e::TypeText(e2e::Control(config, FolderBoxId), L"C:\\otra\\");
    Press(config, ConfigAcceptId);
    const std::string folder = Ansi(session.App.Folder());
    const std::string saved = FileBytes(session.PathOf(L"Configurador.log"));
    EXPECT_EQ(saved.size(), 279u);
    EXPECT_EQ(MeaningfulPart(saved, folder.size()),
              MeaningfulPart(SettingsRecord(DefaultColours, folder), folder.size()));
}

TEST(Configuration, TellsWhenItsFileCannotBeWrittenAndKeepsTheNewColoursForTheRun)
{
    Session session;
    session.Insert(Saving, L"Ahorro", L"10");
    // A folder where the file should go, made once the program has started.
    ASSERT_TRUE(CreateDirectoryW(session.PathOf(L"Configurador.log").c_str(), nullptr));
    const std::vector<std::wstring> entries = FolderEntries(session.App.Folder());

    const HWND config = session.OpenConfigDialog();
    ChooseColour(session, config, SavingBackButton, RGB(0, 128, 0));
    e2e::Click(e2e::Control(config, ConfigAcceptId));
    const HWND box = session.App.WaitForMessageBox(MessageTitle);
    EXPECT_FALSE(e2e::IsEnabled(session.Main));
    const std::wstring text = e2e::MessageBoxText(box);
    e2e::PressMessageBoxButton(box, IDOK);
    e2e::WaitUntilGone(config);
    const std::wstring named =
        L"Configuracion NO Grabada en el fichero : \r\n" + session.PathOf(L"Configurador.log") + L"\r\n";
    EXPECT_TRUE(text.starts_with(named) && text.size() > named.size()) << e2e::Utf8(text);
    EXPECT_TRUE(session.ShowsRowInColours(0, White, RGB(0, 128, 0)));
    EXPECT_EQ(FolderEntries(session.App.Folder()), entries);
}

TEST(ColourChooser, OpensOnGreyBesideTheDialogAndOffersACustomColourAgain)
{
    constexpr COLORREF custom = RGB(10, 200, 30);
    Session session;
    const HWND config = session.OpenConfigDialog();

    HWND chooser = OpenColourChooser(session, config, ExpenseTextButton);
    EXPECT_FALSE(e2e::IsEnabled(config));
    EXPECT_EQ(ColourInBoxes(chooser), Grey);
    const RECT dialogRect = e2e::ScreenRect(config);
    const RECT chooserRect = e2e::ScreenRect(chooser);
    EXPECT_EQ(chooserRect.left - dialogRect.left, ChooserOffset);
    EXPECT_EQ(chooserRect.top - dialogRect.top, ChooserOffset);
    TypeColour(chooser, custom);
    e2e::Click(e2e::Control(chooser, AddCustomColourId));
    e2e::Click(e2e::Control(chooser, IDCANCEL));
    e2e::WaitUntilGone(chooser);
    EXPECT_EQ(SwatchColour(config, ExpenseTextButton), White);

    // Another button: grey again, whatever its swatch shows, and the custom colour is offered.
    chooser = OpenColourChooser(session, config, CommentBackButton);
    EXPECT_EQ(ColourInBoxes(chooser), Grey);
    const POINT cell = FirstCustomColourCell(chooser);
    EXPECT_EQ(e2e::PixelAt(chooser, cell), custom);
    ClickAt(chooser, cell);
    EXPECT_EQ(ColourInBoxes(chooser), custom);
    e2e::Click(e2e::Control(chooser, IDOK));
    e2e::WaitUntilGone(chooser);
    EXPECT_EQ(SwatchColour(config, CommentBackButton), custom);
    Press(config, ConfigCancelId);
}

}  // namespace
