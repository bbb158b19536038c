// Cofrelo's main window and its menu commands, worked as a user does: the
// list and its rows, the insert and name dialogs, the questions and the
// messages, and the files written. What the rows and files hold is the core's
// to decide; these check that each command shows and writes what the core
// gives for the rows on the screen, in the format in force, to the file named.
#include "tests/e2e/Walk.h"
#include "tests/e2e/cofrelo/CofreloSession.h"

#include "ledger/files/RtfExport.h"
#include "ledger/files/TextExport.h"

#include <filesystem>
#include <set>

using namespace cofrelo;

namespace {

// While it lives, the user's short date format has a letter that the ANSI
// code page cannot hold, for the programs started meanwhile.
struct DateFormatBeyondTheCodePage {
    wchar_t before[80] = {};
    DateFormatBeyondTheCodePage()
    {
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, before, 80);
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, L"dd/MM/yyyy '\u0141'");
    }
    ~DateFormatBeyondTheCodePage() { SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, before); }
};

// One walk through every command but "Autor" (Closing sees it), in a program
// folder whose name the ANSI code page cannot hold, and with a ledger so named.
// The program starts maximized, the list under its four headers. The date
// picker writes the date in the user's format, whatever its letters: one the
// ANSI code page cannot hold is stored as the code page gives it, and the line
// is taken. The insert dialog keeps what was typed when it refuses it and
// offers the kind chosen last. "Grabar" refuses an empty name; the exports
// write new files in either format and replace them, the question answered with
// Enter (its default button, "Si") or "No"; "Nuevo" empties the list, and
// "Leer" then offers the name used last and brings the rows back. A file that
// cannot be written: the message names it and the system's reason. A full
// ledger refuses any line. "Salir" ends the program at once, unsaved rows or
// not.
TEST(MainWindow, EveryCommandShowsAndWritesWhatTheCoreGives)
{
    const DateFormatBeyondTheCodePage dateFormat;
    Session session(std::vector<e2e::ExtraFile>{}, L"\u041A\u0430\u0440\u0442\u0430 \u0141\u0105ka");
    const std::wstring name = L"\u0141\u00F3d\u017A 2025";
    std::string records;
    e2e::Walk walk;
    walk("start-up, then a line of each kind", [&] {
        EXPECT_TRUE(GetWindowLongW(session.Main, GWL_STYLE) & WS_MAXIMIZE);
        EXPECT_EQ(e2e::ListHeaders(e2e::Control(session.Main, LedgerListId)),
                  (std::vector<std::wstring>{L"Fechas", L"Descripcion", L"Importe", L"Liquido"}));
        records = session.InsertEachKind();
        EXPECT_EQ(session.Rows(), RowsOf(records, false));
    });
    walk("a refusal, then the kind chosen last offered again", [&] {
        HWND insert = session.OpenInsertDialog(ExpenseOptionId, L"x", L"1220.51");
        EXPECT_TRUE(e2e::Text(e2e::Control(insert, DatePickerId)).ends_with(L" \u0141"));  // the user's format
        e2e::Click(e2e::Control(insert, InsertAcceptButtonId));
        const NewLine line{MovementKind::Expense, "", "", "1220.51"};
        EXPECT_EQ(e2e::Utf8(session.AnswerMessage()), RefusalText(LedgerOf(records).Check(line)));
        EXPECT_EQ(e2e::Text(e2e::Control(insert, AmountBoxId)), L"1220.51");  // kept as typed
        e2e::CloseWith(insert, InsertCancelButtonId);
        insert = session.Open(InsertCommand, InsertDialogTitle);
        EXPECT_EQ(e2e::SendBounded(e2e::Control(insert, ExpenseOptionId), BM_GETCHECK, 0, 0), BST_CHECKED);
        e2e::Click(e2e::Control(insert, CommentOptionId));
        EXPECT_FALSE(IsWindowEnabled(e2e::Control(insert, AmountBoxId)));  // a comment takes no amount
        e2e::CloseWith(insert, InsertCancelButtonId);
    });
    walk("Grabar, an empty name first", [&] {
        const HWND dialog = session.Open(SaveCommand, FileNameDialogTitle);
        e2e::Click(e2e::Control(dialog, NameAcceptButtonId));  // refused, the dialog stays
        EXPECT_EQ(session.AnswerMessage(), L"Tienes que escribir un nombre de fichero ...");
        e2e::TypeText(e2e::Control(dialog, NameBoxId), name);
        e2e::CloseWith(dialog, NameAcceptButtonId);
        EXPECT_EQ(session.AnswerMessage(), L"Ahorros Grabados con el nombre : \r\n" + name);
        EXPECT_EQ(e2e::FileBytes(session.PathOf(name + L".log")), records);
    });
    walk("exports and replacing", [&] {
        const Ledger ledger = LedgerOf(records);
        // The name typed, with the extension that the command adds; the answer to the question before replacing.
        const struct { int command; std::wstring file; bool american; int answer; std::string contents; } cases[] = {
            {ExportRtfCommand, L"informe.rtf", false, 0, RtfExportContents(ledger, false, false)},
            {ExportRtfCommand, L"informe.rtf", true, IDYES, RtfExportContents(ledger, true, true)},
            {ExportTextCommand, L"informe.txt", true, 0, TextExportContents(ledger, true)},
            {SaveCommand, name + L".log", false, IDNO, records},  // and "Leer" offers this name
        };
        bool american = false;
        for (const auto& c : cases) {
            SCOPED_TRACE(e2e::Utf8(c.file) + (c.american ? " American" : ""));
            if (c.american != american) {
                session.Choose(AmericanFormatCommand);
                american = c.american;
            }
            EXPECT_EQ(session.Rows(), RowsOf(records, american));
            session.ChooseWithName(c.command, c.file.substr(0, c.file.size() - 4));
            if (c.answer == IDYES) e2e::Press(session.WaitForModal(MessageTitle), e2e::Enter);  // its default button
            if (c.answer == IDNO) {
                EXPECT_EQ(session.AnswerMessage(IDNO), L"El fichero Existe\r\nSobreEscribir ? ...");
            } else {
                session.AnswerMessage();  // the file written
            }
            EXPECT_TRUE(session.EndedWithoutMessage());
            EXPECT_EQ(e2e::FileBytes(session.PathOf(c.file)), c.contents);
        }
    });
    walk("Nuevo, then Leer", [&] {
        session.Choose(NewCommand);
        EXPECT_TRUE(session.Rows().empty());
        const HWND dialog = session.Open(ReadCommand, FileNameDialogTitle);
        EXPECT_EQ(e2e::Text(e2e::Control(dialog, NameBoxId)), name);
        e2e::CloseWith(dialog, NameAcceptButtonId);
        EXPECT_TRUE(session.EndedWithoutMessage());
        EXPECT_EQ(session.Rows(), RowsOf(records, false));
    });
    walk("a file that cannot be written", [&] {
        session.ChooseWithName(SaveCommand, L"nada\\libro");
        const std::wstring text = session.AnswerMessage();
        const std::wstring named = L"Ahorros NO Grabados en el fichero : \r\n" + session.PathOf(L"nada\\libro.log");
        EXPECT_TRUE(text.starts_with(named + L"\r\n") && text.size() > named.size() + 2 && !text.ends_with(L"\n"))
            << e2e::Utf8(text);
        EXPECT_TRUE(session.EndedWithoutMessage());
    });
    walk("a full ledger", [&] {
        e2e::WriteFileBytes(session.PathOf(L"lleno.log"), std::string(LedgerBytes(FullLedger())));
        session.ChooseWithName(ReadCommand, L"lleno");
        const HWND dialog = session.OpenInsertDialog(CommentOptionId, L"Uno mas", L"");
        e2e::Click(e2e::Control(dialog, InsertAcceptButtonId));
        EXPECT_EQ(e2e::Utf8(session.AnswerMessage()), RefusalText(LineRefusal::LedgerFull));
        e2e::WaitUntilGone(dialog);
        EXPECT_EQ(e2e::ListRowCount(e2e::Control(session.Main, LedgerListId)), LedgerCapacity);
    });
    walk("Salir", [&] {
        session.Choose(NewCommand);
        session.Insert(CommentOptionId, L"Sin grabar", L"");
        EXPECT_EQ(session.Exit(), 0u);
    });
}

// Six saves under one name over a ledger from before, a movement more each
// time: the five versions replaced last stand in "Copias", beside the ledger,
// byte for byte, their names sorting in the order of the saves; "Leer" reads
// the oldest back by its typed name.
TEST(Backups, KeepTheFiveVersionsReplacedLastAndReadBackByName)
{
    Session session;
    e2e::WriteFileBytes(session.PathOf(L"ahorros.log"), SavingRecord);
    std::vector<std::string> versions;
    for (int save = 1; save <= 6; ++save) {
        const std::wstring description = L"Paga " + std::to_wstring(save);
        const std::string day = Ansi(session.Insert(SavingOptionId, description, L"100"));
        versions.push_back((save == 1 ? "" : versions.back()) +
                           Record(day, Ansi(description), "+100", std::to_string(100 * save), 0));
        session.ChooseWithName(SaveCommand, L"ahorros");
        session.AnswerMessage(IDYES);
        session.AnswerMessage();
        EXPECT_TRUE(session.EndedWithoutMessage()) << "save " << save;
    }
    EXPECT_EQ(e2e::FileBytes(session.PathOf(L"ahorros.log")), versions[5]);
    std::set<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(session.PathOf(L"Copias")))
        names.insert(entry.path().filename().wstring());
    ASSERT_EQ(names.size(), 5u);
    for (auto version = versions.begin(); const std::wstring& name : names)
        EXPECT_EQ(e2e::FileBytes(session.PathOf(L"Copias\\" + name)), *version++) << e2e::Utf8(name);
    session.Choose(NewCommand);
    session.ChooseWithName(ReadCommand, L"Copias\\" + names.begin()->substr(0, names.begin()->size() - 4));
    EXPECT_TRUE(session.EndedWithoutMessage());
    EXPECT_EQ(session.Rows(), RowsOf(versions[0], false));
}

}  // namespace
