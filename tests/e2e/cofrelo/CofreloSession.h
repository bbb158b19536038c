// One run of Cofrelo as its end-to-end tests work it: the program started in a
// fresh folder, its main window, and the steps a user takes again and again.
#pragma once

#include "Application.h"
#include "ListView.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cofrelo {

// The program under test, from the command line.
extern std::wstring ProgramPath;

enum Command : WORD {
    ReadCommand = 1030,
    SaveCommand = 1031,
    InsertCommand = 1032,
    AboutCommand = 1033,
    ExitCommand = 1034,
    NewCommand = 1035,
    ConfigurationCommand = 1036,
    ExportTextCommand = 1040,
    ExportRtfCommand = 1050,
    AmericanFormatCommand = 1051,
};

// Options of the insert dialog, by their control ids.
enum Kind : int { Saving = 1008, Expense = 1009, Comment = 1047 };

inline constexpr int ListId = 1001;
inline constexpr int DatePickerId = 1003;
inline constexpr int DescriptionBoxId = 1005;
inline constexpr int AmountBoxId = 1006;
inline constexpr int CancelButtonId = 1011;
inline constexpr int AcceptButtonId = 1012;
inline constexpr int FileNameBoxId = 1037;
inline constexpr int FileNameAcceptId = 1039;
// "Formato Americano" in the popup "Opciones", separators counted.
inline constexpr int AmericanFormatPosition = 12;

// The configuration dialog's "..." buttons of the colours, by the colour they choose.
enum ColourButton : int {
    ExpenseTextButton = 1015,
    ExpenseBackButton = 1018,
    SavingTextButton = 1024,
    SavingBackButton = 1029,
    CommentTextButton = 1041,
    CommentBackButton = 1046,
};
inline constexpr int FolderButtonId = 1020;
inline constexpr int FolderBoxId = 1021;
inline constexpr int ConfigCancelId = 1022;
inline constexpr int ConfigAcceptId = 1023;

inline constexpr wchar_t MainCaption[] = L"Cofrelo";
inline constexpr wchar_t InsertCaption[] = L"Insertar Datos";
inline constexpr wchar_t FileNameCaption[] = L"Nombre del fichero";
inline constexpr wchar_t ConfigCaption[] = L"Configuracion";
inline constexpr wchar_t MessageTitle[] = L"Programador";
// The system's dialogs, captioned as Wine shows them (Windows says "Browse For Folder").
inline constexpr wchar_t ColourChooserCaption[] = L"Color";
inline constexpr wchar_t FolderBrowserCaption[] = L"Browse for Folder";

// The cells of a list row, as the list holds them (padding included).
using Row = std::vector<std::wstring>;

class Session {
public:
    explicit Session(const std::vector<e2e::ExtraFile>& extraFiles = {}, std::wstring_view programSubfolder = {});
    // The installed program, started where it is.
    explicit Session(e2e::Application::InPlace);

    e2e::Application App;
    HWND Main;

    HWND List() const;
    std::vector<Row> Rows() const;
    // The file's path in the program's folder, where its data goes by default.
    std::wstring PathOf(std::wstring_view name) const { return App.Folder() + std::wstring(name); }

    void Choose(Command command) const;
    HWND OpenInsertDialog() const;
    // Fills the open insert dialog: the texts are typed first, then the option
    // is chosen (the amount box takes no typing while "Comentario" is chosen).
    void FillInsertDialog(HWND dialog, Kind kind, std::wstring_view description, std::wstring_view amount) const;
    // A whole insertion that the program accepts; returns the date it showed.
    std::wstring Insert(Kind kind, std::wstring_view description, std::wstring_view amount) const;

    // Waits for a message box titled title, returns its text and answers it.
    std::wstring AnswerMessage(int button = IDOK, std::wstring_view title = MessageTitle) const;
    // Answers the file-name dialog with the name.
    void GiveFileName(std::wstring_view name) const;
    // Chooses the command and answers its file-name dialog with the name.
    void ChooseWithName(Command command, std::wstring_view name) const;
    // Whether the command at work has ended without showing a message: once
    // the program is idle again, the main window takes input, which a message
    // box (modal to it) would have prevented.
    bool EndedWithoutMessage() const;

    HWND OpenConfigDialog() const;

    // Whether the row shows in these colours; they get a bounded while to
    // reach the screen, which under Wine lags behind where a dialog has just
    // closed.
    bool ShowsRowInColours(int row, COLORREF text, COLORREF back) const;

    // Ends the program with "Salir" and returns its exit code.
    DWORD Exit();
};

// The text as a fixed-width field shows it: cut or filled with spaces.
std::wstring Padded(std::wstring_view text, std::size_t width);
// A whole row: date (14), description (100), amount and balance (22 each).
Row RowOf(std::wstring_view date, std::wstring_view description, std::wstring_view amount, std::wstring_view balance);

std::string FileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
// The names in the folder, sorted.
std::vector<std::wstring> FolderEntries(const std::wstring& folder);

// The text in the system's ANSI code page, as the program keeps it in its files.
std::string Ansi(std::wstring_view text);

// The text as a fixed-width field of the program's files holds it: cut or
// filled with spaces.
std::string Field(std::string_view text, std::size_t width);

// A movement as the ledger file holds it: date (14), description (100), amount
// and balance (22 each), each cut or padded with spaces, then the kind as four
// little-endian bytes: 162 bytes.
std::string LedgerRecord(std::string_view date, std::string_view description, std::string_view amount,
                         std::string_view balance, std::int32_t kind);

// A configuration record as "Configurador.log" holds it.
struct Colours {
    COLORREF ExpenseText, SavingText, CommentText, ExpenseBack, SavingBack, CommentBack;
};
std::string SettingsRecord(const Colours& colours, std::string_view dataFolder);

}  // namespace cofrelo
