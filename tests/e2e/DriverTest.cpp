// The driver against the fixture program: every function once on the real
// thing, under Wine here and on Windows alike.
#include "Application.h"
#include "Controls.h"
#include "ListView.h"
#include "Menu.h"
#include "Png.h"
#include "Screen.h"
#include "Window.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

using namespace e2e;
using namespace std::chrono_literals;

namespace {

std::wstring FixturePath;

// The fixture's ids and texts (tests/e2e/fixture/Fixture.cpp).
constexpr int EditId = 1001;
constexpr int EchoId = 1002;
constexpr int AskId = 1003;
constexpr int NotifyId = 1004;
constexpr int StatusId = 1005;
constexpr int ActiveId = 1006;
constexpr int InactiveId = 1007;
constexpr int OptionId = 1008;
constexpr int ListId = 1009;
constexpr int DialogEditId = 1101;
constexpr WORD MarkCommand = 2001;
constexpr WORD DialogCommand = 2002;
constexpr WORD HangCommand = 2003;
constexpr WORD ExitCommand = 2004;
constexpr WORD GridCommand = 2005;
constexpr WORD DetailCommand = 2006;
constexpr wchar_t MainCaption[] = L"Fixture";
constexpr wchar_t DialogCaption[] = L"Dialogo de prueba";

// A fresh run of the fixture with its main window found.
struct FixtureRun {
    Application App{FixturePath};
    HWND Main = App.WaitForWindow(MainCaption);

    HWND operator[](int id) const { return Control(Main, id); }
    HWND OpenDialog()
    {
        ChooseMenuCommand(Main, DialogCommand);
        return App.WaitForWindow(DialogCaption);
    }
};

std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::span<const std::uint8_t> Bytes(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::uint32_t BigEndianAt(std::string_view bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    return value;
}

// What a PNG decoder needs of our files: the chunks, each with its CRC
// checked, and the stored deflate blocks of IDAT unpacked into raw rows.
struct DecodedPng {
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    std::string Header;
    std::string Rows;
    std::vector<std::string> ChunkTypes;
};

DecodedPng DecodeStoredPng(std::string_view file)
{
    DecodedPng png;
    EXPECT_EQ(file.substr(0, 8), std::string_view("\x89PNG\r\n\x1A\n", 8));
    std::string zlib;
    for (std::size_t offset = 8; offset + 12 <= file.size();) {
        const std::uint32_t length = BigEndianAt(file, offset);
        const std::string_view typeAndData = file.substr(offset + 4, 4 + length);
        EXPECT_EQ(BigEndianAt(file, offset + 8 + length), Crc32(Bytes(typeAndData)));
        png.ChunkTypes.emplace_back(typeAndData.substr(0, 4));
        if (png.ChunkTypes.back() == "IHDR") png.Header = typeAndData.substr(4);
        if (png.ChunkTypes.back() == "IDAT") zlib += typeAndData.substr(4);
        offset += 12 + length;
    }
    png.Width = BigEndianAt(png.Header, 0);
    png.Height = BigEndianAt(png.Header, 4);
    for (std::size_t offset = 2;;) {
        const bool last = zlib[offset] & 1;
        const std::size_t length = static_cast<std::uint8_t>(zlib[offset + 1]) |
                                   static_cast<std::size_t>(static_cast<std::uint8_t>(zlib[offset + 2])) << 8;
        png.Rows += zlib.substr(offset + 5, length);
        offset += 5 + length;
        if (last) {
            EXPECT_EQ(BigEndianAt(zlib, offset), Adler32(Bytes(png.Rows)));
            break;
        }
    }
    return png;
}

COLORREF DecodedPixel(const DecodedPng& png, int x, int y)
{
    const std::size_t at = static_cast<std::size_t>(y) * (png.Width * 3 + 1) + 1 + static_cast<std::size_t>(x) * 3;
    return RGB(static_cast<std::uint8_t>(png.Rows[at]), static_cast<std::uint8_t>(png.Rows[at + 1]),
               static_cast<std::uint8_t>(png.Rows[at + 2]));
}

bool ProcessHasEnded(DWORD processId)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process) return true;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

TEST(Checksums, MatchTheirPublishedCheckValues)
{
    const struct {
        std::string_view Input;
        std::uint32_t Crc;
        std::uint32_t Adler;
    } cases[] = {
        {"", 0x00000000, 0x00000001},
        {"a", 0xE8B7BE43, 0x00620062},
        {"123456789", 0xCBF43926, 0x091E01DE},
        {"Wikipedia", 0xADAAC02E, 0x11E60398},
        {"IEND", 0xAE426082, 0x02D70121},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Crc32(Bytes(c.Input)), c.Crc) << c.Input;
        EXPECT_EQ(Adler32(Bytes(c.Input)), c.Adler) << c.Input;
    }
}

TEST(EncodePng, KeepsEveryPixelInStoredBlocksOfAnySize)
{
    // The larger images need more than one 65535-byte stored block.
    const struct {
        int Width;
        int Height;
    } sizes[] = {{1, 1}, {3, 2}, {200, 120}, {1000, 50}};
    for (const auto& size : sizes) {
        std::vector<std::uint8_t> rgb;
        for (int i = 0; i < size.Width * size.Height * 3; ++i) rgb.push_back(static_cast<std::uint8_t>(i * 7 + i / 3));
        const DecodedPng png = DecodeStoredPng(EncodePng(size.Width, size.Height, rgb));
        EXPECT_EQ(png.ChunkTypes, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
        EXPECT_EQ(png.Width, static_cast<std::uint32_t>(size.Width));
        EXPECT_EQ(png.Height, static_cast<std::uint32_t>(size.Height));
        EXPECT_EQ(png.Header.substr(8), std::string("\x08\x02\x00\x00\x00", 5));
        std::string expectedRows;
        for (int row = 0; row < size.Height; ++row) {
            expectedRows += '\0';
            const auto start = rgb.begin() + row * size.Width * 3;
            expectedRows.append(start, start + size.Width * 3);
        }
        EXPECT_EQ(png.Rows, expectedRows) << size.Width << " x " << size.Height;
    }
}

TEST(WindowsPathOf, ReachesHostPathsThroughDriveZ)
{
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"/work/main/build/e2e_fixture.exe", L"Z:\\work\\main\\build\\e2e_fixture.exe"},
        {L"C:/build/e2e_fixture.exe", L"C:\\build\\e2e_fixture.exe"},
        {L"C:\\build\\e2e_fixture.exe", L"C:\\build\\e2e_fixture.exe"},
    };
    for (const auto& [host, windows] : cases) EXPECT_EQ(WindowsPathOf(host), windows);
}

TEST(Application, RunsACopyInAFreshFolderWithItsExtraFiles)
{
    std::filesystem::path folder;
    {
        Application app(FixturePath, {{L"Configurador.log", std::string("\x01\x00\xFF", 3)}});
        folder = app.Folder();
        app.WaitForWindow(MainCaption);
        EXPECT_EQ(FileBytes(folder / L"Configurador.log"), std::string("\x01\x00\xFF", 3));
        EXPECT_TRUE(std::filesystem::exists(folder / std::filesystem::path(FixturePath).filename()));
    }
    EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST(Application, GivesTheExitCodeOfEachWayOfEnding)
{
    const struct {
        const char* Way;
        void (*End)(HWND main);
        DWORD ExitCode;
    } cases[] = {
        {"menu command", [](HWND main) { ChooseMenuCommand(main, ExitCommand); }, 7},
        {"close command", [](HWND main) { ChooseCloseCommand(main); }, 3},
    };
    for (const auto& c : cases) {
        FixtureRun run;
        c.End(run.Main);
        EXPECT_EQ(run.App.WaitForExit(), c.ExitCode) << c.Way;
        EXPECT_FALSE(IsWindow(run.Main)) << c.Way;
    }
}

TEST(Application, EndsItsProgramWhenDestroyed)
{
    DWORD processId = 0;
    {
        FixtureRun run;
        processId = run.App.ProcessId();
    }
    EXPECT_TRUE(ProcessHasEnded(processId));
}

TEST(Application, EndsAProgramThatDoesNotEndInTime)
{
    FixtureRun run;
    EXPECT_THROW(run.App.WaitForExit(200ms), DriverError);
    EXPECT_TRUE(run.App.HasExited());
}

TEST(Application, TellsWhyAWindowDidNotAppear)
{
    const struct {
        bool EndFirst;
        const char* Reason;
    } cases[] = {
        {false, "timed out after 200 ms waiting for a window captioned \"Ventana inexistente\""},
        {true, "the program ended (exit code 7) without showing a window captioned \"Ventana inexistente\""},
    };
    for (const auto& c : cases) {
        FixtureRun run;
        if (c.EndFirst) {
            ChooseMenuCommand(run.Main, ExitCommand);
            run.App.WaitForExit();
        }
        try {
            run.App.WaitForWindow(L"Ventana inexistente", 200ms);
            ADD_FAILURE() << "no error for " << c.Reason;
        } catch (const DriverError& error) {
            EXPECT_EQ(std::string(error.what()), c.Reason);
        }
    }
}

TEST(HungWindow, FailsEveryWaitAndIsEndedWithItsApplication)
{
    DWORD processId = 0;
    {
        FixtureRun run;
        processId = run.App.ProcessId();
        // Posted by hand: ChooseMenuCommand would wait the full ReplyTimeout for it.
        PostMessageW(run.Main, WM_COMMAND, HangCommand, 0);
        EXPECT_THROW(WaitUntilIdle(run.Main, 300ms), DriverError);
        EXPECT_THROW(SendBounded(run[StatusId], WM_GETTEXTLENGTH, 0, 0, 300ms), DriverError);
        // Found without sending it a message.
        EXPECT_EQ(run.App.FindWindowByCaption(MainCaption), run.Main);
    }
    EXPECT_TRUE(ProcessHasEnded(processId));
}

TEST(TypeText, ReplacesTheTextAsTypingDoes)
{
    FixtureRun run;
    // Each text replaces the one before; the echo label follows EN_CHANGE.
    const std::wstring texts[] = {L"abc", L"Añadir café 12.5", L"", L"x", std::wstring(300, L'9')};
    for (const auto& text : texts) {
        TypeText(run[EditId], text);
        EXPECT_EQ(Text(run[EditId]), text);
        EXPECT_EQ(Text(run[EchoId]), text);
    }
}

TEST(Click, ChecksRadioButtonsAndTogglesCheckBoxes)
{
    FixtureRun run;
    const struct {
        int Clicked;
        int ActiveState;
        int InactiveState;
        int OptionState;
        bool EditEnabled;
    } steps[] = {
        {InactiveId, BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED, false},
        {InactiveId, BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED, false},
        {OptionId, BST_UNCHECKED, BST_CHECKED, BST_CHECKED, false},
        {ActiveId, BST_CHECKED, BST_UNCHECKED, BST_CHECKED, true},
        {OptionId, BST_CHECKED, BST_UNCHECKED, BST_UNCHECKED, true},
    };
    EXPECT_EQ(CheckState(run[ActiveId]), BST_CHECKED);
    for (const auto& step : steps) {
        Click(run[step.Clicked]);
        EXPECT_EQ(CheckState(run[ActiveId]), step.ActiveState) << step.Clicked;
        EXPECT_EQ(CheckState(run[InactiveId]), step.InactiveState) << step.Clicked;
        EXPECT_EQ(CheckState(run[OptionId]), step.OptionState) << step.Clicked;
        EXPECT_EQ(IsEnabled(run[EditId]), step.EditEnabled) << step.Clicked;
    }
}

TEST(UserActions, RefuseWhatAUserCannotReach)
{
    FixtureRun run;
    Click(run[InactiveId]);
    EXPECT_THROW(TypeText(run[EditId], L"1"), DriverError);
    // The owned modal dialog disables the main window and so all its controls and its menu.
    run.OpenDialog();
    EXPECT_THROW(Click(run[AskId]), DriverError);
    EXPECT_THROW(ChooseMenuCommand(run.Main, MarkCommand), DriverError);
    EXPECT_THROW(PressKey(run.Main, VK_RETURN), DriverError);
}

TEST(MessageBox, IsFoundReadAndAnswered)
{
    const struct {
        int Opener;
        const wchar_t* Title;
        const wchar_t* Text;
        int Button;
        const wchar_t* Status;
    } cases[] = {
        {AskId, L"Pregunta", L"¿Seguro?\r\nSegunda línea", IDYES, L"Si"},
        {AskId, L"Pregunta", L"¿Seguro?\r\nSegunda línea", IDNO, L"No"},
        {NotifyId, L"Aviso", L"Aviso: hola", IDOK, L"Aviso cerrado"},
    };
    FixtureRun run;
    TypeText(run[EditId], L"hola");
    for (const auto& c : cases) {
        Click(run[c.Opener]);
        HWND box = run.App.WaitForMessageBox(c.Title);
        EXPECT_EQ(MessageBoxText(box), c.Text);
        PressMessageBoxButton(box, c.Button);
        WaitUntilGone(box);
        EXPECT_EQ(Text(run[StatusId]), c.Status);
    }
}

TEST(PressKey, ReachesTheDialogManagerAndReturnsWhenHandled)
{
    FixtureRun run;
    const struct {
        WORD Key;
        const wchar_t* Status;
    } mainWindowKeys[] = {{VK_RETURN, L"Intro"}, {VK_ESCAPE, L"Escape"}, {VK_RETURN, L"Intro"}};
    for (const auto& c : mainWindowKeys) {
        PressKey(run.Main, c.Key);
        EXPECT_EQ(Text(run[StatusId]), c.Status);
    }
    const struct {
        WORD Key;
        const wchar_t* Status;
    } dialogKeys[] = {{VK_RETURN, L"Dialogo aceptado: con Intro"}, {VK_ESCAPE, L"Dialogo cancelado"}};
    for (const auto& c : dialogKeys) {
        HWND dialog = run.OpenDialog();
        TypeText(Control(dialog, DialogEditId), L"con Intro");
        PressKey(dialog, c.Key);
        EXPECT_EQ(Text(run[StatusId]), c.Status);
        WaitUntilGone(dialog);
    }
}

TEST(ModalDialog, DisablesItsOwnerWhileOpen)
{
    FixtureRun run;
    EXPECT_TRUE(IsEnabled(run.Main));
    HWND dialog = run.OpenDialog();
    EXPECT_FALSE(IsEnabled(run.Main));
    Click(Control(dialog, IDCANCEL));
    WaitUntilGone(dialog);
    EXPECT_TRUE(IsEnabled(run.Main));
}

TEST(Menu, ReadsCheckMarksAsTheCommandsChangeThem)
{
    FixtureRun run;
    const struct {
        WORD Chosen;  // 0: none
        bool Marked;  // "Marcado", popup 0, position 0
        bool Grid;    // "Rejilla", popup 1, position 0
        bool Detail;  // the long "Detalle..." behind a separator, popup 1, position 2
    } steps[] = {
        {0, false, true, false},
        {MarkCommand, true, true, false},
        {GridCommand, true, false, false},
        {DetailCommand, true, false, true},
        {MarkCommand, false, false, true},
    };
    for (const auto& step : steps) {
        if (step.Chosen) ChooseMenuCommand(run.Main, step.Chosen);
        EXPECT_EQ(IsMenuItemChecked(run.Main, 0, 0), step.Marked) << step.Chosen;
        EXPECT_EQ(IsMenuItemChecked(run.Main, 1, 0), step.Grid) << step.Chosen;
        EXPECT_EQ(IsMenuItemChecked(run.Main, 1, 2), step.Detail) << step.Chosen;
    }
    // The last item, behind three separators.
    EXPECT_FALSE(IsMenuItemChecked(run.Main, 0, 6));
    // The menu is closed again and the window takes keys.
    PressKey(run.Main, VK_RETURN);
    EXPECT_EQ(Text(run[StatusId]), L"Intro");
}

TEST(Menu, RefusesSeparatorsAndPositionsBeyondTheLastItem)
{
    FixtureRun run;
    EXPECT_THROW(IsMenuItemChecked(run.Main, 0, 1), DriverError);
    EXPECT_THROW(IsMenuItemChecked(run.Main, 0, 7), DriverError);
    EXPECT_THROW(IsMenuItemChecked(run.Main, 1, 1), DriverError);
}

TEST(ListView, ReadsCountsHeadersAndCells)
{
    FixtureRun run;
    const ListView list(run[ListId]);
    EXPECT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.ColumnCount(), 3);
    EXPECT_EQ(list.Headers(), (std::vector<std::wstring>{L"Fecha", L"Concepto", L"Importe"}));
    const std::vector<std::wstring> rows[] = {
        {L"01/02/2024", L"Nómina", L"1.500'00"},
        {L"02/02/2024", L"Café y pan", L"-3'40"},
        {L"03/02/2024", L"Nota", L"*"},
    };
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(list.Cell(row, column), rows[row][static_cast<std::size_t>(column)]) << row << ", " << column;
    EXPECT_THROW(list.Cell(3, 0), DriverError);
    EXPECT_THROW(list.Cell(0, 3), DriverError);
}

TEST(ListView, FindsRowsOnTheScreenInTheirCustomDrawColours)
{
    FixtureRun run;
    const ListView list(run[ListId]);
    const struct {
        int Row;
        COLORREF Back;
        COLORREF Text;
    } rows[] = {
        {0, RGB(0, 0, 255), RGB(255, 255, 255)},
        {1, RGB(255, 0, 0), RGB(255, 255, 255)},
        {2, RGB(192, 192, 192), RGB(255, 255, 255)},
    };
    const RECT listRect = ClientScreenRect(run[ListId]);
    LONG previousBottom = listRect.top;
    for (const auto& row : rows) {
        const RECT rect = list.RowScreenRect(row.Row);
        EXPECT_GE(rect.top, previousBottom) << row.Row;
        EXPECT_LE(rect.bottom, listRect.bottom) << row.Row;
        previousBottom = rect.bottom;
        const ScreenImage image = CapturePainted(run.Main, rect);
        EXPECT_EQ(image.MostCommon(), row.Back) << row.Row;
        EXPECT_TRUE(image.Contains(row.Text)) << row.Row;
        // Past the texts, at the row's right end.
        EXPECT_EQ(PixelAt(run.Main, {rect.right - 4, (rect.top + rect.bottom) / 2}), row.Back) << row.Row;
    }
    EXPECT_THROW(list.RowScreenRect(3), DriverError);
}

TEST(Screenshot, SavesTheWindowAsItIsPainted)
{
    FixtureRun run;
    const std::wstring path = run.App.Folder() + L"fixture.png";
    SaveScreenshot(run.Main, path);
    const DecodedPng png = DecodeStoredPng(FileBytes(path));
    const RECT window = ScreenRect(run.Main);
    EXPECT_EQ(png.Width, static_cast<std::uint32_t>(window.right - window.left));
    EXPECT_EQ(png.Height, static_cast<std::uint32_t>(window.bottom - window.top));
    // The right end of the first list row, past its texts, in window coordinates: its blue background.
    const RECT row = ListView(run[ListId]).RowScreenRect(0);
    const int x = row.right - 4 - window.left;
    const int y = (row.top + row.bottom) / 2 - window.top;
    EXPECT_EQ(DecodedPixel(png, x, y), RGB(0, 0, 255));
    EXPECT_THROW(CaptureScreen(window).At(window.right - window.left, 0), DriverError);
}

}  // namespace

// The program under test arrives as the last argument, as the build knows it.
int wmain(int argc, wchar_t** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::wcerr << L"usage: e2e_driver_tests [GoogleTest options] FIXTURE.exe\n";
        return 2;
    }
    FixturePath = WindowsPathOf(argv[1]);
    return RUN_ALL_TESTS();
}
