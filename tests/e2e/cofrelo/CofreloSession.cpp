#include "CofreloSession.h"

#include "Controls.h"
#include "Menu.h"
#include "Window.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace cofrelo {

std::wstring ProgramPath;

Session::Session(const std::vector<e2e::ExtraFile>& extraFiles)
    : App(ProgramPath, extraFiles), Main(App.WaitForWindow(MainCaption))
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
