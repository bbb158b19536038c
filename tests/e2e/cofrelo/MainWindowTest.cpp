// Cofrelo's main window and its menu commands, worked as a user does: the
// list and its rows, the insert and name dialogs, the questions and the
// messages, and the files written. What the rows and files hold is the core's to decide; these
// check that each command shows and writes what the core gives for the rows
// on the screen, in the format in force, to the file named.
#include "tests/e2e/cofrelo/CofreloSession.h"

#include "ledger/files/RtfExport.h"
#include "ledger/files/TextExport.h"

#include <gtest/gtest.h>

using namespace cofrelo;

namespace {

constexpr wchar_t OverwriteQuestion[] = L"El fichero Existe\r\nSobreEscribir ? ...";
constexpr wchar_t SavedText[] = L"Ahorros Grabados con el nombre : \r\nAhorros 2025";
constexpr wchar_t TextExportedText[] = L"Ahorros Exportados a TXT ...";
constexpr wchar_t RtfExportedText[] = L"Ahorros Exportados a RTF ...";

// Every command and every message in one run. An empty ledger asks for data
// first. The insert dialog keeps what was typed when it refuses it, and offers
// the kind chosen last. A file is replaced only on "Si"; "Nuevo" empties the
// list, and "Leer" then offers the name used last and brings the rows back. A
// file that cannot be written or read: the message names the file and the
// system's reason, and the list stays as it was.
TEST(MainWindow, StartsEmptyWritesWhatTheCoreGivesForTheRowsShownReportsFailuresAndEndsOnSalir)
{
    Session session;
    EXPECT_TRUE(GetWindowLongW(session.Main, GWL_STYLE) & WS_MAXIMIZE);
    const HWND list = e2e::Control(session.Main, LedgerListId);
    EXPECT_EQ(e2e::ListHeaders(list), (std::vector<std::wstring>{L"Fechas", L"Descripcion", L"Importe", L"Liquido"}));
    EXPECT_EQ(e2e::ListRowCount(list), 0);
    session.Choose(AboutCommand);
    const std::wstring about = session.AnswerMessage(IDOK, AboutTitle);
    EXPECT_TRUE(about.ends_with(L"\r\nVisitame ...\r\nGracias !!")) << e2e::Utf8(about);
    session.Choose(ExportRtfCommand);
    EXPECT_EQ(session.AnswerMessage(), L"Tienes que insertar datos primero ...");
    const std::string records = session.InsertEachKind();
    session.AwaitKindColors(DefaultSettings(session.ProgramFolder()));
    const struct {
        int option;
        const wchar_t* amount;
        const wchar_t* message;
    } refusals[] = {
        {SavingOptionId, L"12a", L"Tienes que escribir solo numeros, y decimales, es un punto \".\" \r\nGRACIAS !!!"},
        {SavingOptionId, L"1000000000.01", L"maximo permitido 1.000.000.000'00\r\nminimo permitido 0"},
        {ExpenseOptionId, L"1220.51", L"No podemos quitar mas de lo que tenemos ..."},
    };
    for (const auto& c : refusals) {
        const HWND insert = session.OpenInsertDialog(c.option, L"x", c.amount);
        e2e::Click(e2e::Control(insert, InsertAcceptButtonId));
        EXPECT_EQ(session.AnswerMessage(), c.message) << e2e::Utf8(c.amount);
        EXPECT_EQ(e2e::Text(e2e::Control(insert, AmountBoxId)), c.amount);  // kept as typed
        e2e::CloseWith(insert, InsertCancelButtonId);
    }
    // The kind chosen last, also on "Cancelar"; a comment takes no amount.
    HWND dialog = session.Open(InsertCommand, InsertDialogTitle);
    EXPECT_TRUE(e2e::IsChecked(e2e::Control(dialog, ExpenseOptionId)));
    e2e::Click(e2e::Control(dialog, CommentOptionId));
    EXPECT_FALSE(IsWindowEnabled(e2e::Control(dialog, AmountBoxId)));
    e2e::CloseWith(dialog, InsertCancelButtonId);
    dialog = session.Open(SaveCommand, FileNameDialogTitle);
    EXPECT_EQ(e2e::Text(e2e::Control(dialog, NameBoxId)), L"");
    e2e::Click(e2e::Control(dialog, NameAcceptButtonId));  // an empty name is refused, the dialog stays
    EXPECT_EQ(session.AnswerMessage(), L"Tienes que escribir un nombre de fichero ...");
    e2e::TypeText(e2e::Control(dialog, NameBoxId), L"Ahorros 2025");
    e2e::CloseWith(dialog, NameAcceptButtonId);
    EXPECT_EQ(session.AnswerMessage(), SavedText);
    EXPECT_EQ(e2e::FileBytes(session.PathOf(L"Ahorros 2025.log")), records);
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
        {ExportRtfCommand, L"informe.rtf", true, IDYES, RtfExportedText, RtfExportContents(ledger, true, true)},
        {ExportTextCommand, L"informe.txt", true, IDNO, nullptr, TextExportContents(ledger, false)},
        {ExportTextCommand, L"informe.txt", true, IDYES, TextExportedText, TextExportContents(ledger, true)},
        {SaveCommand, L"Ahorros 2025.log", false, IDNO, nullptr, records},  // and "Leer" offers this name
    };
    bool american = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(e2e::Utf8(c.file) + (c.american ? " American" : "") + (c.answer == IDNO ? " No" : ""));
        if (c.american != american) {  // the check mark mirrors the format
            session.Choose(AmericanFormatCommand);
            american = c.american;
            EXPECT_EQ(e2e::MenuShowsCheckMark(session.Main), american);
        }
        EXPECT_EQ(session.Rows(), RowsOf(records, american));
        session.ChooseWithName(c.command, std::wstring(c.file).substr(0, std::wcslen(c.file) - 4));
        if (c.answer) {
            EXPECT_EQ(session.AnswerMessage(c.answer), OverwriteQuestion);
        }
        if (c.done) {
            EXPECT_EQ(session.AnswerMessage(), c.done);
        }
        EXPECT_TRUE(session.EndedWithoutMessage());
        EXPECT_EQ(e2e::FileBytes(session.PathOf(c.file)), c.contents);
    }
    session.Choose(NewCommand);
    EXPECT_TRUE(session.Rows().empty());
    dialog = session.Open(ReadCommand, FileNameDialogTitle);
    EXPECT_EQ(e2e::Text(e2e::Control(dialog, NameBoxId)), L"Ahorros 2025");
    e2e::CloseWith(dialog, NameAcceptButtonId);
    EXPECT_TRUE(session.EndedWithoutMessage());
    EXPECT_EQ(session.Rows(), RowsOf(records, false));
    ASSERT_TRUE(CreateDirectoryW(session.PathOf(L"carpeta.log").c_str(), nullptr));
    const struct {
        int command;
        const wchar_t* name;
        const wchar_t* headline;
        const wchar_t* file;  // named in the message, before the reason; none: the whole message
    } failures[] = {
        {SaveCommand, L"nada\\libro", L"Ahorros NO Grabados en el fichero : ", L"nada\\libro.log"},
        {ExportTextCommand, L"nada\\libro", L"Ahorros NO Exportados a TXT en el fichero : ", L"nada\\libro.txt"},
        {ExportRtfCommand, L"nada\\libro", L"Ahorros NO Exportados a RTF en el fichero : ", L"nada\\libro.rtf"},
        {ReadCommand, L"carpeta", L"Fichero NO Leido : ", L"carpeta.log"},
        {ReadCommand, L"no existe", L"Fichero NO Existe ...", nullptr},
        // A drive or another file's hidden stream: refused before any file is touched.
        {SaveCommand, L"C:\\Enero", L"El nombre del fichero no puede llevar dos puntos (:)", nullptr},
    };
    for (const auto& c : failures) {
        SCOPED_TRACE(e2e::Utf8(c.headline));
        session.ChooseWithName(c.command, c.name);
        const std::wstring text = session.AnswerMessage();
        if (c.file) {  // the file named, then the system's reason
            const std::wstring named = c.headline + (L"\r\n" + session.PathOf(c.file)) + L"\r\n";
            EXPECT_TRUE(text.starts_with(named) && text.size() > named.size() && !text.ends_with(L"\n"))
                << e2e::Utf8(text);
        } else {
            EXPECT_EQ(text, c.headline);
        }
        EXPECT_TRUE(session.EndedWithoutMessage());
        EXPECT_EQ(session.Rows(), RowsOf(records, false));
    }
    // A full ledger refuses any line.
    e2e::WriteFileBytes(session.PathOf(L"lleno.log"), std::string(LedgerBytes(FullLedger())));
    session.ChooseWithName(ReadCommand, L"lleno");
    dialog = session.OpenInsertDialog(CommentOptionId, L"Uno mas", L"");
    e2e::Click(e2e::Control(dialog, InsertAcceptButtonId));
    EXPECT_EQ(session.AnswerMessage(), L"Memoria llena ...\r\nSintiendolo mucho NO puedo insertar mas ...");
    e2e::WaitUntilGone(dialog);
    EXPECT_EQ(e2e::ListRowCount(e2e::Control(session.Main, LedgerListId)), LedgerCapacity);
    session.Choose(NewCommand);
    session.Insert(CommentOptionId, L"Sin grabar", L"");
    EXPECT_EQ(session.Exit(), 0u);  // unsaved rows are no reason to ask
}

}  // namespace
