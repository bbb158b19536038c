// Cofrelo's ledger file and its two exports, worked from the menu as a user
// does: the bytes on disk, the name dialog, the questions and the messages,
// and what a failure or a hostile file leaves behind.
#include "cofrelo/CofreloSession.h"

#include <gtest/gtest.h>

using namespace cofrelo;

namespace {

constexpr wchar_t OverwriteQuestion[] = L"El fichero Existe\r\nSobreEscribir ? ...";
constexpr wchar_t TextExportedText[] = L"Ahorros Exportados a TXT ...";
constexpr wchar_t RtfExportedText[] = L"Ahorros Exportados a RTF ...";
constexpr wchar_t SaveFailedText[] = L"Ahorros NO Grabados en el fichero : ";
constexpr wchar_t ReadFailedText[] = L"Fichero NO Leido : ";

const std::string Stars(22, '*');

std::wstring SavedText(std::wstring_view name)
{
    return L"Ahorros Grabados con el nombre : \r\n" + std::wstring(name);
}

// One line of the text export: date (14), description (100), amount (22),
// eight spaces, balance (22), a space between the first three, and CR LF.
std::string TextLine(const std::string& date, const std::string& description, const std::string& amount,
                     const std::string& balance)
{
    return Field(date, 14) + " " + Field(description, 100) + " " + Field(amount, 22) + std::string(8, ' ') +
           Field(balance, 22) + "\r\n";
}

// A failure message names the file and then gives the system's reason.
void ExpectFailure(const std::wstring& text, std::wstring_view headline, const std::wstring& path)
{
    const std::wstring named = std::wstring(headline) + L"\r\n" + path + L"\r\n";
    EXPECT_TRUE(text.starts_with(named)) << e2e::Utf8(text);
    const std::wstring reason = text.substr(std::min(named.size(), text.size()));
    EXPECT_FALSE(reason.empty() || reason.ends_with(L"\n")) << "the reason is \"" << e2e::Utf8(reason) << "\"";
}

// "Nuevo" empties the list and starts again from zero, and "Leer" then offers
// the name saved last and brings the file's rows back.
TEST(SaveNewAndRead, WriteEveryMovementAsARecordStartAgainAndReadThemBack)
{
    Session session;
    const std::wstring date = session.Insert(SavingOptionId, L"Nómina de enero", L"1250.5");
    const std::string day = Ansi(date);
    session.Insert(ExpenseOptionId, L"Café {con} \\ leche", L" 30 ");
    session.Insert(CommentOptionId, L"Revisar el seguro", L"");
    const std::string records = Record(day, Ansi(L"Nómina de enero"), "+1250.5", "1250.5", 0) +
                                Record(day, Ansi(L"Café {con} \\ leche"), "-30", "1220.5", 1) +
                                Record(day, "Revisar el seguro", "*", "*", 2);
    const HWND dialog = session.Open(SaveCommand, FileNameDialogTitle);
    EXPECT_EQ(e2e::Text(e2e::Control(dialog, NameBoxId)), L"");
    e2e::Click(e2e::Control(dialog, NameAcceptButtonId));  // an empty name is refused, the dialog stays
    EXPECT_EQ(session.AnswerMessage(), L"Tienes que escribir un nombre de fichero ...");
    e2e::TypeText(e2e::Control(dialog, NameBoxId), L"Ahorros 2025");
    e2e::CloseWith(dialog, NameAcceptButtonId);
    EXPECT_EQ(session.AnswerMessage(), SavedText(L"Ahorros 2025"));
    EXPECT_EQ(FileBytes(session.PathOf(L"Ahorros 2025.log")), records);
    const std::vector<Row> rows = session.Rows();

    session.Choose(NewCommand);
    EXPECT_TRUE(session.Rows().empty());
    session.Insert(SavingOptionId, L"Intereses", L"5");
    EXPECT_EQ(session.Rows(), std::vector<Row>{RowOf(date, L"Intereses", L"5'00", L"5'00")});
    const HWND offered = session.Open(ReadCommand, FileNameDialogTitle);
    EXPECT_EQ(e2e::Text(e2e::Control(offered, NameBoxId)), L"Ahorros 2025");
    e2e::CloseWith(offered, NameAcceptButtonId);
    EXPECT_TRUE(session.EndedWithoutMessage());
    EXPECT_EQ(session.Rows(), rows);

    // The balance goes on from the one stored last.
    session.Insert(SavingOptionId, L"Intereses", L"9.5");
    session.ChooseWithName(SaveCommand, L"Ahorros 2025");
    EXPECT_EQ(session.AnswerMessage(IDYES), OverwriteQuestion);
    EXPECT_EQ(session.AnswerMessage(), SavedText(L"Ahorros 2025"));
    EXPECT_EQ(FileBytes(session.PathOf(L"Ahorros 2025.log")), records + Record(day, "Intereses", "+9.5", "1230", 0));
    EXPECT_EQ(session.Exit(), 0u);
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
        const std::string day = Ansi(first.Insert(SavingOptionId, L"Ahorro", L"10"));
        first.ChooseWithName(SaveCommand, name);
        EXPECT_EQ(first.AnswerMessage(), SavedText(name));
        EXPECT_EQ(FileBytes(first.PathOf(name + L".log")), Record(day, "Ahorro", "+10", "10", 0));
        first.ChooseWithName(ReadCommand, name);
        EXPECT_TRUE(first.EndedWithoutMessage());
        e2e::Click(e2e::Control(first.Open(ConfigurationCommand, ConfigDialogTitle), ConfigAcceptButtonId));
        EXPECT_TRUE(first.EndedWithoutMessage());
        configuration = FileBytes(first.PathOf(L"Configurador.log"));
        EXPECT_EQ(configuration.size(), 279u);
        EXPECT_EQ(configuration.substr(24, 3), std::string(".\\\0", 3));
        EXPECT_EQ(FolderEntries(first.App.Folder()),
                  (std::vector<std::wstring>{L"Cofrelo.exe", L"Configurador.log", name + L".log"}));
        EXPECT_EQ(first.Exit(), 0u);
    }
    Session second({{L"Configurador.log", configuration}}, programFolder);
    second.Insert(SavingOptionId, L"Ahorro", L"10");
    second.ChooseWithName(SaveCommand, name);
    EXPECT_EQ(second.AnswerMessage(), SavedText(name));
    EXPECT_EQ(FileBytes(second.PathOf(name + L".log")).size(), 162u);
}

TEST(SaveAndExport, AskBeforeReplacingAFileEvenReadOnlyAndKeepItByteForByteOnNo)
{
    Session session;
    const std::string day = Ansi(session.Insert(SavingOptionId, L"Nomina", L"1250.5"));
    const std::string oldContents = std::string(3 * 162, 'x') + "old";
    const struct {
        int command;
        const wchar_t* file;
        int answer;
        std::wstring successText;
        std::string contents;  // after the answer
        DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    } cases[] = {
        {SaveCommand, L"viejo.log", IDYES, SavedText(L"viejo"), Record(day, "Nomina", "+1250.5", "1250.5", 0)},
        {SaveCommand, L"viejo.log", IDNO, L"", oldContents},
        // Windows replaces a read-only file only once its mark is cleared.
        {SaveCommand, L"viejo.log", IDYES, SavedText(L"viejo"), Record(day, "Nomina", "+1250.5", "1250.5", 0),
         FILE_ATTRIBUTE_READONLY},
        {SaveCommand, L"viejo.log", IDNO, L"", oldContents, FILE_ATTRIBUTE_READONLY},
        {ExportTextCommand, L"viejo.txt", IDYES, TextExportedText, TextLine(day, "Nomina", "1.250'50", "1.250'50")},
        {ExportTextCommand, L"viejo.txt", IDNO, L"", oldContents},
        {ExportRtfCommand, L"viejo.rtf", IDNO, L"", oldContents},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(e2e::Utf8(c.file) + (c.attributes == FILE_ATTRIBUTE_READONLY ? " read-only" : ""));
        const std::wstring path = session.PathOf(c.file);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        WriteFileBytes(path, oldContents);
        ASSERT_TRUE(SetFileAttributesW(path.c_str(), c.attributes));
        session.ChooseWithName(c.command, L"viejo");
        EXPECT_EQ(session.AnswerMessage(c.answer), OverwriteQuestion);
        if (c.answer == IDYES) {
            EXPECT_EQ(session.AnswerMessage(), c.successText);
        } else {
            EXPECT_TRUE(session.EndedWithoutMessage());
        }
        EXPECT_EQ(FileBytes(path), c.contents);
        EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY,
                  c.answer == IDYES ? 0u : c.attributes & FILE_ATTRIBUTE_READONLY);
    }
    SetFileAttributesW(session.PathOf(L"viejo.log").c_str(), FILE_ATTRIBUTE_NORMAL);  // so the folder can go
    EXPECT_EQ(FolderEntries(session.App.Folder()),
              (std::vector<std::wstring>{L"Cofrelo.exe", L"viejo.log", L"viejo.rtf", L"viejo.txt"}));
}

// An empty ledger asks for data first; a file that cannot be written or read:
// the message names the file and the system's reason, and the list and the
// folder stay as they were.
TEST(SaveReadAndExport, ReportAFailureAndLeaveEverythingAsItWas)
{
    Session session;
    for (int command : {SaveCommand, ExportTextCommand, ExportRtfCommand}) {
        session.Choose(command);
        EXPECT_EQ(session.AnswerMessage(), L"Tienes que insertar datos primero ...") << command;
    }
    session.ChooseWithName(ReadCommand, L"no existe");
    EXPECT_EQ(session.AnswerMessage(), L"Fichero NO Existe ...");
    EXPECT_EQ(FolderEntries(session.App.Folder()), std::vector<std::wstring>{L"Cofrelo.exe"});
    const std::string day = Ansi(session.Insert(SavingOptionId, L"Nomina", L"1250.5"));
    session.Insert(ExpenseOptionId, L"Luz", L"30");
    const std::vector<Row> rows = session.Rows();
    ASSERT_TRUE(CreateDirectoryW(session.PathOf(L"carpeta.log").c_str(), nullptr));
    WriteFileBytes(session.PathOf(L"lleno.log"), std::string(LedgerBytes(FullLedger())) + SavingRecord + SavingRecord);
    const struct {
        int command;
        const wchar_t* name;
        const wchar_t* file;
        int firstAnswer;  // to the question before replacing, if asked
        const wchar_t* headline;
    } cases[] = {
        {SaveCommand, L"nada\\libro", L"nada\\libro.log", 0, SaveFailedText},
        {ExportTextCommand, L"nada\\libro", L"nada\\libro.txt", 0, L"Ahorros NO Exportados a TXT en el fichero : "},
        {ExportRtfCommand, L"nada\\libro", L"nada\\libro.rtf", 0, L"Ahorros NO Exportados a RTF en el fichero : "},
        {SaveCommand, L"carpeta", L"carpeta.log", IDYES, SaveFailedText},
        {ReadCommand, L"carpeta", L"carpeta.log", 0, ReadFailedText},
        {ReadCommand, L"lleno", L"lleno.log", 0, ReadFailedText},
        // A device is no file: it is offered for replacing, then fails with a reason.
        {SaveCommand, L"CON", L"CON.log", IDYES, SaveFailedText},
        {ReadCommand, L"CON", L"CON.log", 0, ReadFailedText},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.command) + " " + e2e::Utf8(c.name));
        session.ChooseWithName(c.command, c.name);
        if (c.firstAnswer) {
            EXPECT_EQ(session.AnswerMessage(c.firstAnswer), OverwriteQuestion);
        }
        ExpectFailure(session.AnswerMessage(), c.headline, session.PathOf(c.file));
        EXPECT_TRUE(session.EndedWithoutMessage());
        EXPECT_EQ(session.Rows(), rows);
        EXPECT_EQ(FolderEntries(session.App.Folder()),
                  (std::vector<std::wstring>{L"Cofrelo.exe", L"carpeta.log", L"lleno.log"}));
    }
    // A name with ":" would name a drive or another file's hidden stream: refused before any file is touched.
    for (const auto& [command, name] : {std::pair{SaveCommand, L"C:\\Enero"}, std::pair{ReadCommand, L"a:b"}}) {
        session.ChooseWithName(command, name);
        EXPECT_EQ(session.AnswerMessage(), L"El nombre del fichero no puede llevar dos puntos (:)") << e2e::Utf8(name);
    }
    EXPECT_EQ(FolderEntries(session.App.Folder()),
              (std::vector<std::wstring>{L"Cofrelo.exe", L"carpeta.log", L"lleno.log"}));
    session.ChooseWithName(SaveCommand, L"libro");
    EXPECT_EQ(session.AnswerMessage(), SavedText(L"libro"));
    EXPECT_EQ(FileBytes(session.PathOf(L"libro.log")),
              Record(day, "Nomina", "+1250.5", "1250.5", 0) + Record(day, "Luz", "-30", "1220.5", 1));
}

// Rows inserted on an empty ledger in the American format follow it; each
// switch rewrites every row, and the text export writes the format in force.
TEST(AmericanFormatAndExportText, RewriteEveryRowAndWriteOneFixedColumnLinePerMovement)
{
    Session session;
    session.Choose(AmericanFormatCommand);
    const std::wstring date = session.Insert(SavingOptionId, L"Nómina", L"1234567.5");
    session.Insert(ExpenseOptionId, L"Luz", L"0.25");
    session.Insert(CommentOptionId, L"Revisar", L"");
    const std::wstring wideStars(22, L'*');
    const std::string day = Ansi(date), nomina = Ansi(L"Nómina");
    const struct {
        std::vector<Row> rows;
        std::string lines;
    } american{{RowOf(date, L"Nómina", L"1,234,567.50", L"1,234,567.50"),
                RowOf(date, L"Luz", L"-0.25", L"1,234,567.25"), RowOf(date, L"Revisar", wideStars, wideStars)},
               TextLine(day, nomina, "1,234,567.50", "1,234,567.50") + TextLine(day, "Luz", "-0.25", "1,234,567.25") +
                   TextLine(day, "Revisar", Stars, Stars)},
      european{{RowOf(date, L"Nómina", L"1.234.567'50", L"1.234.567'50"),
                RowOf(date, L"Luz", L"-0'25", L"1.234.567'25"), RowOf(date, L"Revisar", wideStars, wideStars)},
               TextLine(day, nomina, "1.234.567'50", "1.234.567'50") + TextLine(day, "Luz", "-0'25", "1.234.567'25") +
                   TextLine(day, "Revisar", Stars, Stars)};
    std::wstring name = L"formato";
    for (const auto* format : {&american, &european, &american}) {
        name += L'1';
        SCOPED_TRACE(e2e::Utf8(name));
        EXPECT_EQ(e2e::MenuShowsCheckMark(session.Main), format == &american);
        EXPECT_EQ(session.Rows(), format->rows);
        session.ChooseWithName(ExportTextCommand, name);
        EXPECT_EQ(session.AnswerMessage(), TextExportedText);
        EXPECT_EQ(FileBytes(session.PathOf(name + L".txt")), format->lines);
        session.Choose(AmericanFormatCommand);
    }
}

TEST(ExportRtf, WritesOneTableRowPerMovementAndMarksAReplacedFile)
{
    Session session;
    const std::string day = Ansi(session.Insert(SavingOptionId, L"a{b}\\c é", L"1250.5"));
    const std::string table = R"({\rtf1\ansi\deff0 {\fonttbl {\f0 Calibri;}})"
                              "\r\n\\trowd \\trgaph180\r\n";
    constexpr char hex[] = "0123456789abcdef";
    const auto e = static_cast<unsigned char>(Ansi(L"é")[0]);  // a byte above 127 goes as \'hh
    const std::string row = "\\pard\\intbl\\f0\\fs20 " + day + "\r\n\\cell a\\{b\\}\\\\c \\'" + hex[e >> 4] +
                            hex[e & 0xF] + std::string(92, ' ') +
                            "\r\n\\cell 1.250'50\r\n\\cell 1.250'50\r\n\\cell \r\n\\row\r\n\r\n}\r\n";
    for (const char* descriptionEdge : {"5580", "5480"}) {  // a new file, then a replaced one
        session.ChooseWithName(ExportRtfCommand, L"tabla");
        if (descriptionEdge[1] == '4') {
            EXPECT_EQ(session.AnswerMessage(IDYES), OverwriteQuestion);
        }
        EXPECT_EQ(session.AnswerMessage(), RtfExportedText);
        const std::string written = FileBytes(session.PathOf(L"tabla.rtf"));
        EXPECT_TRUE(written.starts_with(table)) << written;
        EXPECT_NE(written.find("\\clbrdrr\\brdrw35\\brdrdb\\cellx" + std::string(descriptionEdge) + "\r\n"),
                  std::string::npos)
            << written;
        EXPECT_TRUE(written.ends_with(row)) << written;
        EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 29);
    }
}

}  // namespace
