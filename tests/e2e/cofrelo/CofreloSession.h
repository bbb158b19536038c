// One run of Cofrelo as its end-to-end tests, the screenshots, the timings and
// the install tests work it: started in a fresh folder, its main window, and
// the steps a user takes again and again. What the rows and files must hold
// is taken from the portable core, whose own tests check it: these check that
// the windows show and write what the core decides.
#pragma once

#include "tests/e2e/driver/Driver.h"
#include "common/platform/TextConversions.h"
#include "ledger/CofreloIds.h"
#include "tests/support/Records.h"

namespace cofrelo {

// The text in the system's ANSI code page, as the program's files keep it.
inline std::string Ansi(std::wstring_view text) { return common::AnsiFromWide(text); }

// The cells of a list row, as the list holds them (padding included).
using Row = std::vector<std::wstring>;

class Session {
public:
    // Started as the Application with these arguments starts it.
    template <class... Arguments>
    explicit Session(Arguments&&... arguments)
        : App(std::forward<Arguments>(arguments)...), Main(App.WaitForWindow(MainWindowTitle))
    {
    }

    e2e::Application App;
    HWND Main;

    std::vector<Row> Rows() const { return e2e::ListRows(e2e::Control(Main, LedgerListId)); }
    // The file's path in the program's folder, where its data goes by default.
    std::wstring PathOf(std::wstring_view name) const { return App.Folder() + std::wstring(name); }
    void Choose(int command) const { e2e::ChooseMenuCommand(Main, command); }

    // A dialog or message box with this title, which must hold the main window
    // (disabled) while it is open.
    HWND WaitForModal(std::wstring_view title) const
    {
        const HWND window = App.WaitForWindow(title);
        if (IsWindowEnabled(Main)) throw e2e::DriverError(e2e::Utf8(title) + " leaves the main window usable");
        return window;
    }
    // Chooses the command and waits for the dialog it opens.
    HWND Open(int command, std::wstring_view title) const
    {
        Choose(command);
        return WaitForModal(title);
    }
    // Waits for the message box, returns its text and answers it.
    std::wstring AnswerMessage(int button = IDOK) const
    {
        return e2e::AnswerMessageBox(WaitForModal(MessageTitle), button);
    }

    // Opens the insert dialog and fills it: the texts first, then the option
    // (the amount box takes no typing while "Comentario" is chosen).
    HWND OpenInsertDialog(int option, std::wstring_view description, std::wstring_view amount) const
    {
        const HWND dialog = Open(InsertCommand, InsertDialogTitle);
        e2e::Click(e2e::Control(dialog, SavingOptionId));
        e2e::TypeText(e2e::Control(dialog, DescriptionBoxId), description);
        e2e::TypeText(e2e::Control(dialog, AmountBoxId), amount);
        e2e::Click(e2e::Control(dialog, option));
        return dialog;
    }
    // A whole insertion that the program accepts; returns the date it showed.
    std::wstring Insert(int option, std::wstring_view description, std::wstring_view amount) const
    {
        const HWND dialog = OpenInsertDialog(option, description, amount);
        const std::wstring date = e2e::Text(e2e::Control(dialog, DatePickerId));
        e2e::CloseWith(dialog, InsertAcceptButtonId);
        return date;
    }
    // Inserts a saving, an expense and a comment, in the order of their kinds'
    // numbers; returns their records as the ledger file keeps them. The saving
    // has braces and a backslash, which the RTF export escapes, and a letter
    // beyond ASCII; the expense's amount is typed in full-width digits, which
    // count as the digits they show.
    std::string InsertEachKind() const
    {
        const wchar_t* const saving = L"N\u00F3mina {enero} \\ paga";
        const std::string day = Ansi(Insert(SavingOptionId, saving, L"1250.5"));
        Insert(ExpenseOptionId, L"Luz", L"\uFF13\uFF10");
        Insert(CommentOptionId, L"Revisar el seguro", L"");
        return Record(day, Ansi(saving), "+1250.5", "1250.5", 0) + Record(day, "Luz", "-30", "1220.5", 1) +
               Record(day, "Revisar el seguro", "*", "*", 2);
    }
    void ChooseWithName(int command, std::wstring_view name) const
    {
        const HWND dialog = Open(command, FileNameDialogTitle);
        e2e::TypeText(e2e::Control(dialog, NameBoxId), name);
        e2e::CloseWith(dialog, NameAcceptButtonId);
    }
    // The command at work has ended without a message: once the program is
    // idle again, the main window takes input, which a message box prevents.
    bool EndedWithoutMessage() const
    {
        e2e::WaitUntilIdle(Main);
        return IsWindowEnabled(Main);
    }
    // Waits until the rows of InsertEachKind show in the colors the settings
    // give their kinds; throws when they do not.
    void AwaitKindColors(const Settings& settings) const
    {
        for (std::int32_t kind = 0; kind < 3; ++kind)
            e2e::AwaitColors(Main, e2e::ListRowScreenRect(e2e::Control(Main, LedgerListId), kind),
                              RowColorsFor(kind, settings)->Text, RowColorsFor(kind, settings)->Back);
    }
    // Ends the program with "Salir" and returns its exit code.
    DWORD Exit()
    {
        Choose(ExitCommand);
        return App.WaitForExit();
    }
};

// The rows the list shows for these records.
inline std::vector<Row> RowsOf(const std::string& records, bool american)
{
    const Ledger ledger = LedgerOf(records);
    std::vector<Row> rows;
    for (const Movement& movement : ledger.Movements()) {
        const DisplayTexts numbers = MovementDisplayTexts(movement, american);
        using common::WideFromAnsi;
        rows.push_back({WideFromAnsi(FieldText(movement.DateText)), WideFromAnsi(FieldText(movement.Description)),
                        WideFromAnsi(numbers.Amount), WideFromAnsi(numbers.Balance)});
    }
    return rows;
}

}  // namespace cofrelo
