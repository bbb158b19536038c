// Cofrelo's main window and its menu commands, worked as a user does: the
// list and its rows, the insert and name dialogs, the questions and the
// messages, and the files written. What the rows and files hold is the core's
// to decide; these check that each command shows and writes what the core
// gives for the rows on the screen, in the format in force, to the file named.
#include "tests/e2e/Walk.h"
#include "tests/e2e/cofrelo/CofreloSession.h"

#include "ledger/files/RtfExport.h"
#include "ledger/files/TextExport.h"

using namespace cofrelo;

namespace {

constexpr wchar_t OverwriteQuestion[] = L"El fichero Existe\r\nSobreEscribir ? ...";
constexpr wchar_t SavedText[] = L"Ahorros Grabados con el nombre : \r\nAhorros 2025";
constexpr wchar_t TextExportedText[] = L"Ahorros Exportados a TXT ...";
constexpr wchar_t RtfExportedText[] = L"Ahorros Exportados a RTF ...";
constexpr int ByEnter = -1;  // the question answered with Enter: its default button

// The list starts empty under its four headers; an empty ledger asks for data
// first. The rows of each kind show in their default colors. The insert dialog
// keeps what was typed when it refuses it, offers the kind chosen last, and
// reads a full-width amount as the digits it shows.
TEST(MainWindow, StartsEmptyShowsEachKindInItsColorsAndRefusesBadLines)
{
    Session session;
    e2e::Walk walk;
    walk("start-up", [&] {
        EXPECT_TRUE(GetWindowLongW(session.Main, GWL_STYLE) & WS_MAXIMIZE);
        const HWND list = e2e::Control(session.Main, LedgerListId);
        EXPECT_EQ(e2e::ListHeaders(list), (std::vector<std::wstring>{L"Fechas", L"Descripcion", L"Importe",
                                                                      L"Liquido"}));
        EXPECT_EQ(e2e::ListRowCount(list), 0);
    });
    walk("Autor", [&] {
        session.Choose(AboutCommand);
        const std::wstring about = session.AnswerMessage(IDOK, AboutTitle);
        EXPECT_TRUE(about.ends_with(L"\r\nVisitame ...\r\nGracias !!")) << e2e::Utf8(about);
    });
    walk("an empty ledger", [&] {
        session.Choose(ExportRtfCommand);
        EXPECT_EQ(session.AnswerMessage(), L"Tienes que insertar datos primero ...");
    });
    std::string records;
    walk("a line of each kind", [&] {
        records = session.InsertEachKind();
        EXPECT_EQ(session.Rows(), RowsOf(records, false));
        session.AwaitKindColors(DefaultSettings(session.ProgramFolder()));
    });
    walk("refusals", [&] {
        const std::pair<int, const wchar_t*> refused[] = {
            {SavingOptionId, L"12a"}, {SavingOptionId, L"1000000000.01"}, {ExpenseOptionId, L"1220.51"}};
        for (const auto& [option, amount] : refused) {
            const HWND insert = session.OpenInsertDialog(option, L"x", amount);
            e2e::Click(e2e::Control(insert, InsertAcceptButtonId));
            const NewLine line{option == SavingOptionId ? MovementKind::Saving : MovementKind::Expense, "", "",
                               Ansi(amount)};
            EXPECT_EQ(e2e::Utf8(session.AnswerMessage()), RefusalText(LedgerOf(records).Check(line)));
            EXPECT_EQ(e2e::Text(e2e::Control(insert, AmountBoxId)), amount);  // kept as typed
            e2e::CloseWith(insert, InsertCancelButtonId);
        }
    });
    walk("the kind chosen last, also on Cancelar", [&] {
        const HWND dialog = session.Open(InsertCommand, InsertDialogTitle);
        EXPECT_TRUE(e2e::IsChecked(e2e::Control(dialog, ExpenseOptionId)));
        e2e::Click(e2e::Control(dialog, CommentOptionId));
        EXPECT_FALSE(IsWindowEnabled(e2e::Control(dialog, AmountBoxId)));  // a comment takes no amount
        e2e::CloseWith(dialog, InsertCancelButtonId);
    });
    walk("a full-width amount counts as the digits it shows", [&] {
        session.Insert(SavingOptionId, L"Ancho", L"\uFF11\uFF12");
        EXPECT_EQ(session.Rows().back()[2], common::WideFromAnsi(FormatAmount(12, false)));
    });
}

// The date picker writes the date in the user's format, whatever its letters:
// one the ANSI code page cannot hold is stored as "?", and the line is taken.
TEST(MainWindow, TakesADateWhoseFormatHasLettersBeyondTheCodePage)
{
    constexpr wchar_t International[] = L"Control Panel\\International";
    const std::wstring format = L"dd/MM/yyyy '\u0141'";
    wchar_t before[80] = {};
    DWORD size = sizeof before;
    RegGetValueW(HKEY_CURRENT_USER, International, L"sShortDate", RRF_RT_REG_SZ, nullptr, before, &size);
    RegSetKeyValueW(HKEY_CURRENT_USER, International, L"sShortDate", REG_SZ, format.c_str(),
                    static_cast<DWORD>((format.size() + 1) * sizeof(wchar_t)));
    {
        Session session;
        const std::wstring date = session.Insert(SavingOptionId, L"Nomina", L"10");
        EXPECT_TRUE(date.ends_with(L" \u0141")) << e2e::Utf8(date);
        EXPECT_EQ(session.Rows(), RowsOf(Record(Ansi(date).substr(0, 14), "Nomina", "+10", "10", 0), false));
    }
    RegSetKeyValueW(HKEY_CURRENT_USER, International, L"sShortDate", REG_SZ, before, size);
}

// "Grabar" refuses an empty name; both exports write new files and replace
// them in either format, the question answered with Enter or "Si", or "No";
// "Nuevo" empties the list, and "Leer" then offers the name used last and
// brings the rows back.
TEST(MainWindow, WritesWhatTheCoreGivesAsksBeforeReplacingAndReadsBack)
{
    Session session;
    e2e::Walk walk;
    std::string records;
    walk("a line of each kind", [&] { records = session.InsertEachKind(); });
    walk("Grabar, an empty name first", [&] {
        const HWND dialog = session.Open(SaveCommand, FileNameDialogTitle);
        EXPECT_EQ(e2e::Text(e2e::Control(dialog, NameBoxId)), L"");
        e2e::Click(e2e::Control(dialog, NameAcceptButtonId));  // refused, the dialog stays
        EXPECT_EQ(session.AnswerMessage(), L"Tienes que escribir un nombre de fichero ...");
        e2e::TypeText(e2e::Control(dialog, NameBoxId), L"Ahorros 2025");
        e2e::CloseWith(dialog, NameAcceptButtonId);
        EXPECT_EQ(session.AnswerMessage(), SavedText);
        EXPECT_EQ(e2e::FileBytes(session.PathOf(L"Ahorros 2025.log")), records);
    });
    walk("exports and replacing", [&] {
        const Ledger ledger = LedgerOf(records);
        const struct {
            int command;
            const wchar_t* file;  // the name typed, and the extension that the command adds
            bool american;
            int answer;           // to the question before replacing, if asked
            const wchar_t* done;  // the message after writing, if written
            std::string contents;
        } cases[] = {
            {ExportTextCommand, L"informe.txt", false, 0, TextExportedText, TextExportContents(ledger, false)},
            {ExportRtfCommand, L"informe.rtf", false, 0, RtfExportedText, RtfExportContents(ledger, false, false)},
            {ExportRtfCommand, L"informe.rtf", true, ByEnter, RtfExportedText, RtfExportContents(ledger, true, true)},
            {ExportTextCommand, L"informe.txt", true, IDNO, nullptr, TextExportContents(ledger, false)},
            {ExportTextCommand, L"informe.txt", true, IDYES, TextExportedText, TextExportContents(ledger, true)},
            {SaveCommand, L"Ahorros 2025.log", false, IDNO, nullptr, records},  // and "Leer" offers this name
        };
        bool american = false;
        for (const auto& c : cases) {
            SCOPED_TRACE(e2e::Utf8(c.file) + (c.american ? " American" : "") + (c.answer == IDNO ? " No" : ""));
            if (c.american != american) {
                session.Choose(AmericanFormatCommand);
                american = c.american;
            }
            EXPECT_EQ(session.Rows(), RowsOf(records, american));
            session.ChooseWithName(c.command, std::wstring(c.file).substr(0, std::wcslen(c.file) - 4));
            if (c.answer == ByEnter) {
                const HWND question = session.WaitForModal(MessageTitle);
                EXPECT_EQ(e2e::Text(e2e::Control(question, 0xFFFF)), OverwriteQuestion);
                e2e::Press(question, e2e::Enter);
                e2e::WaitUntilGone(question);
            } else if (c.answer) {
                EXPECT_EQ(session.AnswerMessage(c.answer), OverwriteQuestion);
            }
            if (c.done) {
                EXPECT_EQ(session.AnswerMessage(), c.done);
            }
            EXPECT_TRUE(session.EndedWithoutMessage());
            EXPECT_EQ(e2e::FileBytes(session.PathOf(c.file)), c.contents);
        }
    });
    walk("Nuevo, then Leer", [&] {
        session.Choose(NewCommand);
        EXPECT_TRUE(session.Rows().empty());
        const HWND dialog = session.Open(ReadCommand, FileNameDialogTitle);
        EXPECT_EQ(e2e::Text(e2e::Control(dialog, NameBoxId)), L"Ahorros 2025");
        e2e::CloseWith(dialog, NameAcceptButtonId);
        EXPECT_TRUE(session.EndedWithoutMessage());
        EXPECT_EQ(session.Rows(), RowsOf(records, false));
    });
}

// A file that cannot be written: the message names it and the system's
// reason, and the list stays. A full ledger refuses any line. "Salir" ends the program at once, unsaved rows or not.
TEST(MainWindow, ReportsFailuresRefusesAFullLedgerAndEndsOnSalir)
{
    Session session;
    e2e::Walk walk;
    std::string records;
    walk("a line of each kind", [&] { records = session.InsertEachKind(); });
    walk("a file that cannot be written", [&] {
        session.ChooseWithName(SaveCommand, L"nada\\libro");
        const std::wstring text = session.AnswerMessage();
        const std::wstring named = L"Ahorros NO Grabados en el fichero : \r\n" + session.PathOf(L"nada\\libro.log");
        EXPECT_TRUE(text.starts_with(named + L"\r\n") && text.size() > named.size() + 2 && !text.ends_with(L"\n"))
            << e2e::Utf8(text);
        EXPECT_TRUE(session.EndedWithoutMessage());
        EXPECT_EQ(session.Rows(), RowsOf(records, false));
    });
    walk("a full ledger", [&] {
        e2e::WriteFileBytes(session.PathOf(L"lleno.log"), std::string(LedgerBytes(FullLedger())));
        session.ChooseWithName(ReadCommand, L"lleno");
        const HWND dialog = session.OpenInsertDialog(CommentOptionId, L"Uno mas", L"");
        e2e::Click(e2e::Control(dialog, InsertAcceptButtonId));
        EXPECT_EQ(session.AnswerMessage(), L"Memoria llena ...\r\nSintiendolo mucho NO puedo insertar mas ...");
        e2e::WaitUntilGone(dialog);
        EXPECT_EQ(e2e::ListRowCount(e2e::Control(session.Main, LedgerListId)), LedgerCapacity);
    });
    walk("Salir", [&] {
        session.Choose(NewCommand);
        session.Insert(CommentOptionId, L"Sin grabar", L"");
        EXPECT_EQ(session.Exit(), 0u);
    });
}

}  // namespace
