#include "cofrelo/CofreloSession.h"

#include "support/MemoryFileSystem.h"

#include <algorithm>

namespace cofrelo {

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

std::string Session::InsertEachKind() const
{
    // Braces and a backslash, which the RTF export escapes, and a letter beyond ASCII.
    const wchar_t* const saving = L"N\u00F3mina {enero} \\ paga";
    const std::string day = Ansi(Insert(SavingOptionId, saving, L"1250.5"));
    Insert(ExpenseOptionId, L"Luz", L"30");
    Insert(CommentOptionId, L"Revisar el seguro", L"");
    return Record(day, Ansi(saving), "+1250.5", "1250.5", 0) + Record(day, "Luz", "-30", "1220.5", 1) +
           Record(day, "Revisar el seguro", "*", "*", 2);
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

void Session::AwaitKindColours(const Settings& settings) const
{
    const e2e::ListView list(e2e::Control(Main, LedgerListId));
    for (std::int32_t kind = 0; kind < 3; ++kind) {
        const RowColours colours = *RowColoursFor(kind, settings);
        const RECT rect = list.RowScreenRect(kind);
        e2e::WaitFor(
            [&] {
                const e2e::ScreenImage image = e2e::CapturePainted(Main, rect);
                return image.MostCommon() == colours.Back &&
                       std::find(image.Pixels.begin(), image.Pixels.end(), colours.Text) != image.Pixels.end();
            },
            "row " + std::to_string(kind) + " in the colours of its kind");
    }
}

std::vector<Row> RowsOf(const std::string& records, bool american)
{
    const Ledger ledger = LedgerOf(records);
    std::vector<Row> rows;
    for (std::int32_t i = 0; i < ledger.Count; ++i) {
        const Movement& movement = ledger.Movements[i];
        const DisplayTexts numbers = MovementDisplayTexts(movement, american);
        rows.push_back({e2e::WideFromAnsi(FieldText(movement.DateText)),
                        e2e::WideFromAnsi(FieldText(movement.Description)), e2e::WideFromAnsi(numbers.Amount),
                        e2e::WideFromAnsi(numbers.Balance)});
    }
    return rows;
}

std::string ConfigurationBytes(const Settings& settings, const std::string& programFolder)
{
    MemoryFileSystem files;
    ConfigurationFile file(files, programFolder);
    const std::string* bytes = file.SaveSettings(settings) ? files.Find(file.Path()) : nullptr;
    return bytes ? *bytes : "";
}

}  // namespace cofrelo
