#include "cofrelo/CofreloSession.h"

#include "common/win32/AnsiText.h"
#include "support/MemoryFileSystem.h"

namespace cofrelo {

HWND Session::WaitForModal(std::wstring_view title) const
{
    const HWND window = App.WaitForWindow(title);
    if (IsWindowEnabled(Main))
        throw e2e::DriverError("\"" + e2e::Utf8(title) + "\" leaves the main window usable while it is open");
    return window;
}

HWND Session::OpenInsertDialog(int option, std::wstring_view description, std::wstring_view amount) const
{
    const HWND dialog = Open(InsertCommand, InsertDialogTitle);
    e2e::Click(e2e::Control(dialog, SavingOptionId));
    e2e::TypeText(e2e::Control(dialog, DescriptionBoxId), description);
    e2e::TypeText(e2e::Control(dialog, AmountBoxId), amount);
    e2e::Click(e2e::Control(dialog, option));
    return dialog;
}

std::wstring Session::Insert(int option, std::wstring_view description, std::wstring_view amount) const
{
    const HWND dialog = OpenInsertDialog(option, description, amount);
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

void Session::ChooseWithName(int command, std::wstring_view name) const
{
    const HWND dialog = Open(command, FileNameDialogTitle);
    e2e::TypeText(e2e::Control(dialog, NameBoxId), name);
    e2e::CloseWith(dialog, NameAcceptButtonId);
}

void Session::AwaitKindColours(const Settings& settings) const
{
    for (std::int32_t kind = 0; kind < 3; ++kind) {
        const RowColours colours = *RowColoursFor(kind, settings);
        e2e::AwaitColours(Main, e2e::ListRowScreenRect(e2e::Control(Main, LedgerListId), kind), colours.Text, colours.Back);
    }
}

std::vector<Row> RowsOf(const std::string& records, bool american)
{
    const Ledger ledger = LedgerOf(records);
    std::vector<Row> rows;
    for (const Movement& movement : std::span(ledger.Movements.get(), static_cast<std::size_t>(ledger.Count))) {
        const DisplayTexts numbers = MovementDisplayTexts(movement, american);
        rows.push_back({WideFromAnsi(FieldText(movement.DateText)), WideFromAnsi(FieldText(movement.Description)),
                        WideFromAnsi(numbers.Amount), WideFromAnsi(numbers.Balance)});
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
