#include "cofrelo/CofreloSession.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace cofrelo {

namespace {

void AppendLittleEndian(std::string& out, std::uint32_t value)
{
    for (int byte = 0; byte < 4; ++byte) out += static_cast<char>((value >> (8 * byte)) & 0xFF);
}

}  // namespace

Session::Session(const std::vector<e2e::ExtraFile>& extraFiles, std::wstring_view programSubfolder)
    : App(e2e::ProgramUnderTest, extraFiles, programSubfolder), Main(App.WaitForWindow(MainWindowTitle))
{
    e2e::WaitUntilIdle(Main);
}

Session::Session(e2e::Application::InPlace inPlace)
    : App(inPlace, e2e::ProgramUnderTest), Main(App.WaitForWindow(MainWindowTitle))
{
    e2e::WaitUntilIdle(Main);
}

std::vector<Row> Session::Rows() const
{
    return e2e::ListView(e2e::Control(Main, LedgerListId)).Rows();
}

void Session::Choose(int command) const
{
    e2e::ChooseMenuCommand(Main, command);
}

HWND Session::WaitForModal(std::wstring_view title) const
{
    const HWND window = App.WaitForWindow(title);
    if (IsWindowEnabled(Main))
        throw e2e::DriverError("\"" + e2e::Utf8(title) + "\" leaves the main window usable while it is open");
    return window;
}

void Session::FillInsertDialog(HWND dialog, int option, std::wstring_view description, std::wstring_view amount) const
{
    e2e::Click(e2e::Control(dialog, SavingOptionId));
    e2e::TypeText(e2e::Control(dialog, DescriptionBoxId), description);
    e2e::TypeText(e2e::Control(dialog, AmountBoxId), amount);
    e2e::Click(e2e::Control(dialog, option));
}

std::wstring Session::Insert(int option, std::wstring_view description, std::wstring_view amount) const
{
    const HWND dialog = Open(InsertCommand, InsertDialogTitle);
    FillInsertDialog(dialog, option, description, amount);
    const std::wstring date = e2e::Text(e2e::Control(dialog, DatePickerId));
    e2e::CloseWith(dialog, InsertAcceptButtonId);
    return date;
}

std::wstring Session::AnswerMessage(int button, std::wstring_view title) const
{
    return e2e::AnswerMessageBox(WaitForModal(title), button);
}

void Session::ChooseWithName(int command, std::wstring_view name) const
{
    const HWND dialog = Open(command, FileNameDialogTitle);
    e2e::TypeText(e2e::Control(dialog, NameBoxId), name);
    e2e::CloseWith(dialog, NameAcceptButtonId);
}

bool Session::EndedWithoutMessage() const
{
    e2e::WaitUntilIdle(Main);
    return IsWindowEnabled(Main);
}

bool Session::ShowsRowInColours(int row, COLORREF text, COLORREF back) const
{
    const RECT rect = e2e::ListView(e2e::Control(Main, LedgerListId)).RowScreenRect(row);
    try {
        e2e::WaitFor(
            [&] {
                const e2e::ScreenImage image = e2e::CapturePainted(Main, rect);
                return image.MostCommon() == back &&
                       std::find(image.Pixels.begin(), image.Pixels.end(), text) != image.Pixels.end();
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

std::vector<std::wstring> FolderEntries(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(folder)))
        names.push_back(entry.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

std::string SettingsRecord(const Colours& colours, std::string_view dataFolder)
{
    std::string record;
    for (COLORREF colour : {colours.ExpenseText, colours.SavingText, colours.CommentText, colours.ExpenseBack,
                            colours.SavingBack, colours.CommentBack})
        AppendLittleEndian(record, colour);
    record += dataFolder;
    record.resize(279, '\0');
    return record;
}

}  // namespace cofrelo
