// Cofrelo's ledger file and its two exports, worked from the menu as a user
// does: the name dialog, the questions and the messages, and that each file
// holds what the core writes for the ledger on the screen, in the format in
// force, and is replaced only on "Si".
#include "cofrelo/CofreloSession.h"

#include "files/RtfExport.h"
#include "files/TextExport.h"

#include <gtest/gtest.h>

using namespace cofrelo;

namespace {

constexpr wchar_t OverwriteQuestion[] = L"El fichero Existe\r\nSobreEscribir ? ...";
constexpr wchar_t TextExportedText[] = L"Ahorros Exportados a TXT ...";
constexpr wchar_t RtfExportedText[] = L"Ahorros Exportados a RTF ...";

std::wstring SavedText(std::wstring_view name)
{
    return L"Ahorros Grabados con el nombre : \r\n" + std::wstring(name);
}

// "Nuevo" empties the list and starts again from zero, and "Leer" then offers
// the name saved last and brings the file's rows back.
TEST(Files, SaveExportAndReadWriteWhatTheCoreGivesForTheRowsShownAndReplaceOnlyOnSi)
{
    Session session;
    const std::string records = session.InsertEachKind();
    const Ledger ledger = LedgerOf(records);
    HWND dialog = session.Open(SaveCommand, FileNameDialogTitle);
    EXPECT_EQ(e2e::Text(e2e::Control(dialog, NameBoxId)), L"");
    e2e::Click(e2e::Control(dialog, NameAcceptButtonId));  // an empty name is refused, the dialog stays
    EXPECT_EQ(session.AnswerMessage(), L"Tienes que escribir un nombre de fichero ...");
    e2e::TypeText(e2e::Control(dialog, NameBoxId), L"Ahorros 2025");
    e2e::CloseWith(dialog, NameAcceptButtonId);
    EXPECT_EQ(session.AnswerMessage(), SavedText(L"Ahorros 2025"));
    EXPECT_EQ(e2e::FileBytes(session.PathOf(L"Ahorros 2025.log")), records);
    const struct {
        int command;
        const wchar_t* name;
        const wchar_t* file;
        bool american;
        int answer;  // to the question before replacing, if asked
        const wchar_t* done;  // the message after writing, if written
        std::string contents;
    } cases[] = {
        {ExportTextCommand, L"informe", L"informe.txt", false, 0, TextExportedText, TextExportContents(ledger, false)},
        {ExportRtfCommand, L"informe", L"informe.rtf", false, 0, RtfExportedText, RtfExportContents(ledger, false, false)},
        {ExportRtfCommand, L"informe", L"informe.rtf", true, IDYES, RtfExportedText, RtfExportContents(ledger, true, true)},
        {ExportTextCommand, L"informe", L"informe.txt", true, IDNO, nullptr, TextExportContents(ledger, false)},
        {ExportTextCommand, L"informe", L"informe.txt", true, IDYES, TextExportedText, TextExportContents(ledger, true)},
        {SaveCommand, L"Ahorros 2025", L"Ahorros 2025.log", true, IDNO, nullptr, records},
    };
    bool american = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(e2e::Utf8(c.file) + (c.american ? " American" : "") + (c.answer == IDNO ? " No" : ""));
        if (c.american != american) session.Choose(AmericanFormatCommand);
        american = c.american;
        session.ChooseWithName(c.command, c.name);
        if (c.answer) { EXPECT_EQ(session.AnswerMessage(c.answer), OverwriteQuestion); }
        if (c.done) { EXPECT_EQ(session.AnswerMessage(), c.done); }
        EXPECT_TRUE(session.EndedWithoutMessage());
        EXPECT_EQ(e2e::FileBytes(session.PathOf(c.file)), c.contents);
    }
    session.Choose(NewCommand);
    EXPECT_TRUE(session.Rows().empty());
    dialog = session.Open(ReadCommand, FileNameDialogTitle);
    EXPECT_EQ(e2e::Text(e2e::Control(dialog, NameBoxId)), L"Ahorros 2025");
    e2e::CloseWith(dialog, NameAcceptButtonId);
    EXPECT_TRUE(session.EndedWithoutMessage());
    EXPECT_EQ(session.Rows(), RowsOf(records, true));
    // The balance goes on from the one stored last.
    const std::string day = Ansi(session.Insert(SavingOptionId, L"Intereses", L"9.5"));
    session.ChooseWithName(SaveCommand, L"Ahorros 2025");
    EXPECT_EQ(session.AnswerMessage(IDYES), OverwriteQuestion);
    EXPECT_EQ(session.AnswerMessage(), SavedText(L"Ahorros 2025"));
    EXPECT_EQ(e2e::FileBytes(session.PathOf(L"Ahorros 2025.log")), records + Record(day, "Intereses", "+9.5", "1230", 0));
    EXPECT_EQ(e2e::FolderEntries(session.App.Folder()),
              (std::vector<std::wstring>{L"Ahorros 2025.log", L"Cofrelo.exe", L"informe.rtf", L"informe.txt"}));
}

// An empty ledger asks for data first; a file that cannot be written or read:
// the message names the file and the system's reason, and the list and the
// folder stay as they were.
TEST(Files, ReportEachRefusalAndFailureAndLeaveEverythingAsItWas)
{
    Session session;
    for (int command : {SaveCommand, ExportTextCommand, ExportRtfCommand}) {
        session.Choose(command);
        EXPECT_EQ(session.AnswerMessage(), L"Tienes que insertar datos primero ...") << command;
    }
    session.ChooseWithName(ReadCommand, L"no existe");
    EXPECT_EQ(session.AnswerMessage(), L"Fichero NO Existe ...");
    session.Insert(SavingOptionId, L"Nomina", L"1250.5");
    ASSERT_TRUE(CreateDirectoryW(session.PathOf(L"carpeta.log").c_str(), nullptr));
    const struct {
        int command;
        const wchar_t* name;
        const wchar_t* headline;
        const wchar_t* file;  // named in the message, before the reason
    } cases[] = {
        {SaveCommand, L"nada\\libro", L"Ahorros NO Grabados en el fichero : ", L"nada\\libro.log"},
        {ExportTextCommand, L"nada\\libro", L"Ahorros NO Exportados a TXT en el fichero : ", L"nada\\libro.txt"},
        {ExportRtfCommand, L"nada\\libro", L"Ahorros NO Exportados a RTF en el fichero : ", L"nada\\libro.rtf"},
        {ReadCommand, L"carpeta", L"Fichero NO Leido : ", L"carpeta.log"},
        // A drive or another file's hidden stream: refused before any file is touched.
        {SaveCommand, L"C:\\Enero", L"El nombre del fichero no puede llevar dos puntos (:)", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(e2e::Utf8(c.headline));
        session.ChooseWithName(c.command, c.name);
        const std::wstring text = session.AnswerMessage();
        const std::wstring named = c.file ? c.headline + (L"\r\n" + session.PathOf(c.file)) + L"\r\n" : c.headline;
        EXPECT_TRUE(text.starts_with(named) && (text.size() > named.size()) == !!c.file && !text.ends_with(L"\n"))
            << e2e::Utf8(text);
        EXPECT_TRUE(session.EndedWithoutMessage());
        EXPECT_EQ(session.Rows().size(), 1u);
        EXPECT_EQ(e2e::FolderEntries(session.App.Folder()), (std::vector<std::wstring>{L"Cofrelo.exe", L"carpeta.log"}));
    }
}

}  // namespace
