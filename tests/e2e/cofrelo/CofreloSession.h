// One run of Cofrelo as its end-to-end tests, the screenshots and the timings
// work it: started in a fresh folder, its main window, the steps a user takes
// again and again, and the bytes of the files it reads and writes.
#pragma once

#include "Driver.h"
#include "ledger/CofreloIds.h"
#include "support/Records.h"

#include <string>
#include <string_view>
#include <vector>

namespace cofrelo {

// The cells of a list row, as the list holds them (padding included).
using Row = std::vector<std::wstring>;

struct Colours {
    COLORREF ExpenseText, SavingText, CommentText, ExpenseBack, SavingBack, CommentBack;
};
inline constexpr Colours DefaultColours{RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                        RGB(255, 0, 0),     RGB(0, 0, 255),     RGB(192, 192, 192)};

class Session {
public:
    explicit Session(const std::vector<e2e::ExtraFile>& extraFiles = {}, std::wstring_view programSubfolder = {});
    // The installed program, started where it is.
    explicit Session(e2e::Application::InPlace);

    e2e::Application App;
    HWND Main;

    std::vector<Row> Rows() const;
    // The file's path in the program's folder, where its data goes by default.
    std::wstring PathOf(std::wstring_view name) const { return App.Folder() + std::wstring(name); }

    void Choose(int command) const;
    // A dialog or message box with this title, which must hold the main window
    // (disabled) while it is open.
    HWND WaitForModal(std::wstring_view title) const;
    // Chooses the command and waits for the dialog it opens.
    HWND Open(int command, std::wstring_view title) const { return Choose(command), WaitForModal(title); }
    // Fills the open insert dialog: the texts first, then the option (the
    // amount box takes no typing while "Comentario" is chosen).
    void FillInsertDialog(HWND dialog, int option, std::wstring_view description, std::wstring_view amount) const;
    // A whole insertion that the program accepts; returns the date it showed.
    std::wstring Insert(int option, std::wstring_view description, std::wstring_view amount) const;

    // Waits for the message box, returns its text and answers it.
    std::wstring AnswerMessage(int button = IDOK, std::wstring_view title = MessageTitle) const;
    void ChooseWithName(int command, std::wstring_view name) const;
    // The command at work has ended without a message: once the program is
    // idle again, the main window takes input, which a message box prevents.
    bool EndedWithoutMessage() const;
    // The row shows in these colours within a bounded while (under Wine the
    // screen lags behind where a dialog has just closed).
    bool ShowsRowInColours(int row, COLORREF text, COLORREF back) const;
    // Ends the program with "Salir" and returns its exit code.
    DWORD Exit();
};

// The text as a fixed-width list cell shows it: cut or filled with spaces.
std::wstring Padded(std::wstring_view text, std::size_t width);
// A whole list row: date (14), description (100), amount and balance (22 each).
Row RowOf(std::wstring_view date, std::wstring_view description, std::wstring_view amount, std::wstring_view balance);

std::string FileBytes(const std::wstring& path);
using e2e::WriteFileBytes;
// The names in the folder, sorted.
std::vector<std::wstring> FolderEntries(const std::wstring& folder);
// The text in the system's ANSI code page, as the program's files keep it.
inline std::string Ansi(std::wstring_view text) { return e2e::Narrow(text, CP_ACP); }
// "Configurador.log": six colours, the data folder, zeros up to 279 bytes.
std::string SettingsRecord(const Colours& colours, std::string_view dataFolder);

}  // namespace cofrelo
