#include "CofreloSession.h"

#include "Controls.h"
#include "Menu.h"
#include "Screen.h"
#include "Window.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace cofrelo {

std::wstring ProgramPath;

Session::Session(const std::vector<e2e::ExtraFile>& extraFiles, std::wstring_view programSubfolder)
    : App(ProgramPath, extraFiles, programSubfolder), Main(App.WaitForWindow(MainCaption))
{
    e2e::WaitUntilIdle(Main);
}

Session::Session(e2e::Application::InPlace inPlace) : App(inPlace, ProgramPath), Main(App.WaitForWindow(MainCaption))
{
    e2e::WaitUntilIdle(Main);
}

HWND Session::List() const
{
    return e2e::Control(Main, ListId);
}

std::vector<Row> Session::Rows() const
{
    const e2e::ListView list(List());
    std::vector<Row> rows;
    for (int row = 0; row < list.RowCount(); ++row) {
        Row cells;
        for (int column = 0; column < list.ColumnCount(); ++column) cells.push_back(list.Cell(row, column));
        rows.push_back(std::move(cells));
    }
    return rows;
}

void Session::Choose(Command command) const
{
    e2e::ChooseMenuCommand(Main, command);
}

HWND Session::OpenInsertDialog() const
{
    Choose(InsertCommand);
    return App.WaitForWindow(InsertCaption);
}

void Session::FillInsertDialog(HWND dialog, Kind kind, std::wstring_view description, std::wstring_view amount) const
{
    e2e::Click(e2e::Control(dialog, Saving));
    e2e::TypeText(e2e::Control(dialog, DescriptionBoxId), description);
    e2e::TypeText(e2e::Control(dialog, AmountBoxId), amount);
    e2e::Click(e2e::Control(dialog, kind));
}

std::wstring Session::Insert(Kind kind, std::wstring_view description, std::wstring_view amount) const
{
    const HWND dialog = OpenInsertDialog();
    FillInsertDialog(dialog, kind, description, amount);
    const std::wstring date = e2e::Text(e2e::Control(dialog, DatePickerId));
    e2e::Click(e2e::Control(dialog, AcceptButtonId));
    e2e::WaitUntilGone(dialog);
    return date;
}

std::wstring Session::AnswerMessage(int button, std::wstring_view title) const
{
    const HWND box = App.WaitForMessageBox(title);
    const std::wstring text = e2e::MessageBoxText(box);
    e2e::PressMessageBoxButton(box, button);
    e2e::WaitUntilGone(box);
    return text;
}

void Session::GiveFileName(std::wstring_view name) const
{
    const HWND dialog = App.WaitForWindow(FileNameCaption);
    e2e::TypeText(e2e::Control(dialog, FileNameBoxId), name);
    e2e::Click(e2e::Control(dialog, FileNameAcceptId));
    e2e::WaitUntilGone(dialog);
}

void Session::ChooseWithName(Command command, std::wstring_view name) const
{
    Choose(command);
    GiveFileName(name);
}

bool Session::EndedWithoutMessage() const
{
    // Painting needs the program back in a message loop: its own, or that of a
    // modal window it has opened meanwhile.
    e2e::WaitUntilIdle(Main);
    return e2e::IsEnabled(Main);
}

HWND Session::OpenConfigDialog() const
{
    Choose(ConfigurationCommand);
    return App.WaitForWindow(ConfigCaption);
}

bool Session::ShowsRowInColours(int row, COLORREF text, COLORREF back) const
{
    const RECT rect = e2e::ListView(List()).RowScreenRect(row);
    try {
        e2e::WaitFor(
            [&] {
                const e2e::ScreenImage image = e2e::CapturePainted(Main, rect);
                return image.MostCommon() == back && image.Contains(text);
            },
            "the row's colours");
        return true;
    } catch (const e2e::DriverError&) {
        return false;
    }
}

DWORD Session::Exit()
{
    Choose(ExitCommand);
    return App.WaitForExit();
}

std::wstring Padded(std::wstring_view text, std::size_t width)
{
    std::wstring padded(text.substr(0, width));
    padded.resize(width, L' ');
    return padded;
}

Row RowOf(std::wstring_view date, std::wstring_view description, std::wstring_view amount, std::wstring_view balance)
{
    return {Padded(date, 14), Padded(description, 100), Padded(amount, 22), Padded(balance, 22)};
}

std::string FileBytes(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream(std::filesystem::path(path), std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(folder)))
        names.push_back(entry.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Ansi(std::wstring_view text)
{
    const int length = static_cast<int>(text.size());
    std::string ansi(static_cast<std::size_t>(
                         WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), static_cast<int>(ansi.size()), nullptr, nullptr);
    return ansi;
}

std::string Field(std::string_view text, std::size_t width)
{
    std::string field(text.substr(0, width));
    field.resize(width, ' ');
    return field;
}

std::string LedgerRecord(std::string_view date, std::string_view description, std::string_view amount,
                         std::string_view balance, std::int32_t kind)
{
    std::string record = Field(date, 14) + Field(description, 100) + Field(amount, 22) + Field(balance, 22);
    for (int byte = 0; byte < 4; ++byte)
        record += static_cast<char>((static_cast<std::uint32_t>(kind) >> (8 * byte)) & 0xFF);
    return record;
}

std::string SettingsRecord(const Colours& colours, std::string_view dataFolder)
{
    std::string record;
    for (COLORREF colour : {colours.ExpenseText, colours.SavingText, colours.CommentText, colours.ExpenseBack,
                            colours.SavingBack, colours.CommentBack})
        for (int byte = 0; byte < 4; ++byte) record += static_cast<char>((colour >> (8 * byte)) & 0xFF);
    record += dataFolder;
    record.resize(279, '\0');
    return record;
}

}  // namespace cofrelo
