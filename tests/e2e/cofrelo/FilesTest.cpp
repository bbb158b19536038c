// Cofrelo's ledger file and its two exports, worked from the menu as a user
// does: the bytes on disk, the name dialog, the questions and the messages,
// and what a failure leaves behind.
#include "CofreloSession.h"

#include "Controls.h"
#include "ListView.h"
#include "Window.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace cofrelo;

namespace {

constexpr wchar_t NothingToWriteText[] = L"Tienes que insertar datos primero ...";
constexpr wchar_t OverwriteQuestion[] = L"El fichero Existe\r\nSobreEscribir ? ...";
constexpr wchar_t EmptyNameText[] = L"Tienes que escribir un nombre de fichero ...";
constexpr wchar_t MissingFileText[] = L"Fichero NO Existe ...";
constexpr wchar_t TextExportedText[] = L"Ahorros Exportados a TXT ...";
constexpr wchar_t RtfExportedText[] = L"Ahorros Exportados a RTF ...";

const std::string Stars(22, '*');

std::wstring SavedText(std::wstring_view name)
{
    return L"Ahorros Grabados con el nombre : \r\n" + std::wstring(name);
}

// One line of the text export: date (14), description (100), amount (22),
// eight spaces, balance (22), with a space between the first three, and CR LF.
std::string TextLine(std::string_view date, std::string_view description, std::string_view amount,
                     std::string_view balance)
{
    return Field(date, 14) + " " + Field(description, 100) + " " + Field(amount, 22) + std::string(8, ' ') +
           Field(balance, 22) + "\r\n";
}

// The document's lines; each one ends with CR LF, the last one too.
std::vector<std::string> Lines(const std::string& document)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < document.size();) {
        const std::size_t end = document.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "the document does not end with CR LF";
            break;
        }
        lines.push_back(document.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// How an RTF text carries a byte above 127: \'hh.
std::string RtfByte(char c)
{
    constexpr char digits[] = "0123456789abcdef";
    const auto byte = static_cast<unsigned char>(c);
    return {'\\', '\'', digits[byte >> 4], digits[byte & 0x0F]};
}

TEST(SaveAndRead, WritesEveryMovementAsARecordAndReadsThemBackInANewRun)
{
    Session first;
    const std::string day = Ansi(first.Insert(Saving, L"Nómina de enero", L"1250.5"));
    first.Insert(Expense, L"Café {con} \\ leche", L" 30 ");
    first.Insert(Comment, L"Revisar el seguro", L"");
    const std::string records = LedgerRecord(day, Ansi(L"Nómina de enero"), "+1250.5", "1250.5", 0) +
                                LedgerRecord(day, Ansi(L"Café {con} \\ leche"), "-30", "1220.5", 1) +
                                LedgerRecord(day, "Revisar el seguro", "*", "*", 2);
    first.Choose(SaveCommand);
    EXPECT_EQ(e2e::Text(e2e::Control(first.App.WaitForWindow(FileNameCaption), FileNameBoxId)), L"");
    first.GiveFileName(L"Ahorros 2025");
    EXPECT_EQ(first.AnswerMessage(), SavedText(L"Ahorros 2025"));
    EXPECT_EQ(FileBytes(first.PathOf(L"Ahorros 2025.log")), records);
    const std::vector<Row> rows = first.Rows();
    EXPECT_EQ(first.Exit(), 0u);

    Session second;
    WriteFileBytes(second.PathOf(L"Ahorros 2025.log"), records);
    second.ChooseWithName(ReadCommand, L"Ahorros 2025");
    EXPECT_TRUE(second.EndedWithoutMessage());
    EXPECT_EQ(second.Rows(), rows);

    // The balance goes on from the one stored last; the name offered is the one read.
    const std::string today = Ansi(second.Insert(Saving, L"Intereses", L"9.5"));
    second.Choose(SaveCommand);
    const HWND dialog = second.App.WaitForWindow(FileNameCaption);
    EXPECT_EQ(e2e::Text(e2e::Control(dialog, FileNameBoxId)), L"Ahorros 2025");
    e2e::Click(e2e::Control(dialog, FileNameAcceptId));
    EXPECT_EQ(second.AnswerMessage(IDYES), OverwriteQuestion);
    EXPECT_EQ(second.AnswerMessage(), SavedText(L"Ahorros 2025"));
    EXPECT_EQ(FileBytes(second.PathOf(L"Ahorros 2025.log")),
              records + LedgerRecord(today, "Intereses", "+9.5", "1230", 0));
}

// A program folder whose name the ANSI code page cannot hold: files land in it
// under exactly the name typed, and the configuration file keeps it as ".\"
// so that the next start, wherever the folder now is, still finds it.
TEST(SaveReadAndConfiguration, WorkInAProgramFolderOutsideTheAnsiCodePage)
{
    const std::wstring programFolder = L"\u041A\u043E\u043F\u0438\u043B\u043A\u0430 \u0141\u0105ka";
    const std::wstring name = L"\u0141\u00F3d\u017A";
    std::string configuration;
    {
        Session first({}, programFolder);
        const std::string day = Ansi(first.Insert(Saving, L"Ahorro", L"10"));
        first.ChooseWithName(SaveCommand, name);
        EXPECT_EQ(first.AnswerMessage(), SavedText(name));
        EXPECT_EQ(FileBytes(first.PathOf(name + L".log")), LedgerRecord(day, "Ahorro", "+10", "10", 0));
        first.ChooseWithName(ReadCommand, name);
        EXPECT_TRUE(first.EndedWithoutMessage());
        e2e::Click(e2e::Control(first.OpenConfigDialog(), ConfigAcceptId));
        EXPECT_TRUE(first.EndedWithoutMessage());
        configuration = FileBytes(first.PathOf(L"Configurador.log"));
        EXPECT_EQ(configuration.size(), 279u);
        EXPECT_EQ(configuration.substr(24, 3), std::string(".\\\0", 3));
        EXPECT_EQ(FolderEntries(first.App.Folder()),
                  (std::vector<std::wstring>{L"Cofrelo.exe", L"Configurador.log", name + L".log"}));
        EXPECT_EQ(first.Exit(), 0u);
    }
    Session second({{L"Configurador.log", configuration}}, programFolder);
    second.Insert(Saving, L"Ahorro", L"10");
    second.ChooseWithName(SaveCommand, name);
    EXPECT_EQ(second.AnswerMessage(), SavedText(name));
    EXPECT_EQ(FileBytes(second.PathOf(name + L".log")).size(), 162u);
}

TEST(SaveAndExport, AskBeforeReplacingAFileAndKeepItByteForByteOnNo)
{
    Session session;
    const std::string day = Ansi(session.Insert(Saving, L"Nomina", L"1250.5"));
    const std::string oldContents = std::string(3 * 162, 'x') + "old";
    const struct {
        Command command;
        const wchar_t* extension;
        int answer;
        std::wstring successText;
        std::string contents;  // after the answer
    } cases[] = {
        {SaveCommand, L".log", IDYES, SavedText(L"viejo"), LedgerRecord(day, "Nomina", "+1250.5", "1250.5", 0)},
        {SaveCommand, L".log", IDNO, L"", oldContents},
        {ExportTextCommand, L".txt", IDYES, TextExportedText, TextLine(day, "Nomina", "1.250'50", "1.250'50")},
        {ExportTextCommand, L".txt", IDNO, L"", oldContents},
        {ExportRtfCommand, L".rtf", IDNO, L"", oldContents},
    };
    for (const auto& c : cases) {
        const std::wstring path = session.PathOf(L"viejo" + std::wstring(c.extension));
        WriteFileBytes(path, oldContents);
        session.ChooseWithName(c.command, L"viejo");
        EXPECT_EQ(session.AnswerMessage(c.answer), OverwriteQuestion);
        if (c.answer == IDYES) {
            EXPECT_EQ(session.AnswerMessage(), c.successText) << e2e::Utf8(path);
        } else {
            EXPECT_TRUE(session.EndedWithoutMessage()) << e2e::Utf8(path);
        }
        EXPECT_EQ(FileBytes(path), c.contents) << e2e::Utf8(path);
    }
}

TEST(FileNameDialog, RefusesAnEmptyNameAndStaysOpenForAnother)
{
    Session session;
    session.Insert(Saving, L"Nomina", L"10");
    session.Choose(SaveCommand);
    const HWND dialog = session.App.WaitForWindow(FileNameCaption);
    e2e::TypeText(e2e::Control(dialog, FileNameBoxId), L"");
    e2e::Click(e2e::Control(dialog, FileNameAcceptId));
    EXPECT_EQ(session.AnswerMessage(), EmptyNameText);
    ASSERT_TRUE(IsWindowVisible(dialog));
    session.GiveFileName(L"libro");
    EXPECT_EQ(session.AnswerMessage(), SavedText(L"libro"));
    EXPECT_EQ(FileBytes(session.PathOf(L"libro.log")).size(), 162u);
}

TEST(Read, OfAMissingFileSaysSoAndChangesNothing)
{
    Session session;
    session.Insert(Saving, L"Nomina", L"10");
    const std::vector<Row> rows = session.Rows();
    session.ChooseWithName(ReadCommand, L"no existe");
    EXPECT_EQ(session.AnswerMessage(), MissingFileText);
    EXPECT_EQ(session.Rows(), rows);
}

TEST(SaveAndExport, OfAnEmptyLedgerAskForDataFirstAndNoName)
{
    Session session;
    for (Command command : {SaveCommand, ExportTextCommand, ExportRtfCommand}) {
        session.Choose(command);
        EXPECT_EQ(session.AnswerMessage(), NothingToWriteText) << command;
        EXPECT_TRUE(session.EndedWithoutMessage()) << command;
        EXPECT_FALSE(session.App.FindWindowByCaption(FileNameCaption)) << command;
    }
    EXPECT_EQ(FolderEntries(session.App.Folder()), std::vector<std::wstring>{L"Cofrelo.exe"});
}

// A file that cannot be written or read: the message names the file and the
// system's reason, and the ledger, the list and the folder stay as they were.
TEST(SaveReadAndExport, ReportAFailureAndLeaveEverythingAsItWas)
{
    Session session;
    const std::string day = Ansi(session.Insert(Saving, L"Nomina", L"1250.5"));
    session.Insert(Expense, L"Luz", L"30");
    const std::vector<Row> rows = session.Rows();
    ASSERT_TRUE(CreateDirectoryW(session.PathOf(L"carpeta.log").c_str(), nullptr));
    const struct {
        const char* what;
        Command command;
        const wchar_t* name;
        const wchar_t* file;
        bool asksToReplace;
        const wchar_t* headline;
    } cases[] = {
        {"Grabar into a missing folder", SaveCommand, L"nada\\libro", L"nada\\libro.log", false,
         L"Ahorros NO Grabados en el fichero : "},
        {"Exportar a TXT into a missing folder", ExportTextCommand, L"nada\\libro", L"nada\\libro.txt", false,
         L"Ahorros NO Exportados a TXT en el fichero : "},
        {"Exportar a Tabla RTF into a missing folder", ExportRtfCommand, L"nada\\libro", L"nada\\libro.rtf", false,
         L"Ahorros NO Exportados a RTF en el fichero : "},
        {"Grabar over a folder", SaveCommand, L"carpeta", L"carpeta.log", true,
         L"Ahorros NO Grabados en el fichero : "},
        {"Leer of a folder", ReadCommand, L"carpeta", L"carpeta.log", false, L"Fichero NO Leido : "},
    };
    for (const auto& c : cases) {
        const std::vector<std::wstring> entries = FolderEntries(session.App.Folder());
        session.ChooseWithName(c.command, c.name);
        if (c.asksToReplace) {
            EXPECT_EQ(session.AnswerMessage(IDYES), OverwriteQuestion) << c.what;
        }
        const std::wstring text = session.AnswerMessage();
        const std::wstring named = std::wstring(c.headline) + L"\r\n" + session.PathOf(c.file) + L"\r\n";
        EXPECT_TRUE(text.starts_with(named)) << c.what << ": " << e2e::Utf8(text);
        const std::wstring reason = text.substr(std::min(named.size(), text.size()));
        EXPECT_FALSE(reason.empty() || reason.ends_with(L"\n"))
            << c.what << ": the reason is \"" << e2e::Utf8(reason) << "\"";
        EXPECT_TRUE(session.EndedWithoutMessage()) << c.what;
        EXPECT_EQ(session.Rows(), rows) << c.what;
        EXPECT_EQ(FolderEntries(session.App.Folder()), entries) << c.what;
    }
    // The ledger itself is untouched too: a save writes the same two movements.
    session.ChooseWithName(SaveCommand, L"libro");
    EXPECT_EQ(session.AnswerMessage(), SavedText(L"libro"));
    EXPECT_EQ(FileBytes(session.PathOf(L"libro.log")),
              LedgerRecord(day, "Nomina", "+1250.5", "1250.5", 0) + LedgerRecord(day, "Luz", "-30", "1220.5", 1));
}

TEST(ExportText, WritesOneFixedColumnLinePerMovementInTheFormatInForce)
{
    Session session;
    const std::string day = Ansi(session.Insert(Saving, L"Nómina", L"1250.5"));
    session.Insert(Expense, L"Luz", L"30");
    session.Insert(Comment, L"Revisar", L"");
    const std::string nomina = Ansi(L"Nómina");
    const struct {
        bool american;
        std::string lines;
    } cases[] = {
        {false, TextLine(day, nomina, "1.250'50", "1.250'50") + TextLine(day, "Luz", "-30'00", "1.220'50") +
                    TextLine(day, "Revisar", Stars, Stars)},
        {true, TextLine(day, nomina, "1,250.50", "1,250.50") + TextLine(day, "Luz", "-30.00", "1,220.50") +
                   TextLine(day, "Revisar", Stars, Stars)},
    };
    for (const auto& c : cases) {
        const std::wstring name = c.american ? L"americano" : L"europeo";
        if (c.american) session.Choose(AmericanFormatCommand);
        session.ChooseWithName(ExportTextCommand, name);
        EXPECT_EQ(session.AnswerMessage(), TextExportedText);
        const std::string written = FileBytes(session.PathOf(name + L".txt"));
        EXPECT_EQ(written.size(), 3 * 170u) << e2e::Utf8(name);
        EXPECT_EQ(written, c.lines) << e2e::Utf8(name);
    }
}

TEST(ExportRtf, WritesOneTableRowPerMovementAndMarksAReplacedFile)
{
    Session session;
    const std::string day = Ansi(session.Insert(Saving, L"a{b}\\c é", L"1250.5"));
    const std::string description = R"(a\{b\}\\c )" + RtfByte(Ansi(L"é")[0]) + std::string(92, ' ');
    const struct {
        const char* what;
        bool replacing;
        const char* descriptionEdge;
    } cases[] = {
        {"a new file", false, "5580"},
        {"a replaced file", true, "5480"},
    };
    for (const auto& c : cases) {
        session.ChooseWithName(ExportRtfCommand, L"tabla");
        if (c.replacing) {
            EXPECT_EQ(session.AnswerMessage(IDYES), OverwriteQuestion) << c.what;
        }
        EXPECT_EQ(session.AnswerMessage(), RtfExportedText) << c.what;
        const std::vector<std::string> lines = Lines(FileBytes(session.PathOf(L"tabla.rtf")));
        ASSERT_EQ(lines.size(), 29u) << c.what;
        EXPECT_EQ(lines[0], R"({\rtf1\ansi\deff0 {\fonttbl {\f0 Calibri;}})") << c.what;
        EXPECT_EQ(lines[1], R"(\trowd \trgaph180)") << c.what;
        EXPECT_EQ(lines[10], R"(\clbrdrr\brdrw35\brdrdb\cellx)" + std::string(c.descriptionEdge)) << c.what;
        EXPECT_EQ(lines[21], R"(\pard\intbl\f0\fs20 )" + day) << c.what;
        EXPECT_EQ(lines[22], R"(\cell )" + description) << c.what;
        EXPECT_EQ(lines[23], R"(\cell 1.250'50)") << c.what;
        EXPECT_EQ(lines[24], R"(\cell 1.250'50)") << c.what;
        EXPECT_EQ(lines[25], R"(\cell )") << c.what;
        EXPECT_EQ(lines[26], R"(\row)") << c.what;
        EXPECT_EQ(lines[28], "}") << c.what;
    }
}

}  // namespace
