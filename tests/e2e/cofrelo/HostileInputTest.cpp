// Cofrelo against hostile input: file names a file system refuses or bends,
// ledger files cut short, padded, garbled or too long, damaged configuration
// files, a read-only ledger. Every case runs in a fresh program and ends in the
// usual behaviour or a clear message; the program never dies and no byte on
// disk is lost or left half-written.
#include "CofreloSession.h"

#include "Controls.h"
#include "ListView.h"
#include "Window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>

using namespace cofrelo;

namespace {

namespace fs = std::filesystem;

const std::wstring SavedText = L"Ahorros Grabados con el nombre : \r\n";
const std::wstring SaveFailedText = L"Ahorros NO Grabados en el fichero : \r\n";
const std::wstring ReadFailedText = L"Fichero NO Leido : \r\n";
const std::wstring OverwriteQuestion = L"El fichero Existe\r\nSobreEscribir ? ...";
const std::wstring FileMissingText = L"Fichero NO Existe ...";
const std::wstring ColonText = L"El nombre del fichero no puede llevar dos puntos (:)";
const std::wstring NothingToSaveText = L"Tienes que insertar datos primero ...";
const std::wstring TooManyRecordsReason = L"Tiene mas de 36501 movimientos y no cabe en memoria ...";

constexpr std::size_t RecordSize = 162;
constexpr Colours DefaultColours{RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                 RGB(255, 0, 0),     RGB(0, 0, 255),     RGB(192, 192, 192)};

std::string Repeated(const std::string& record, std::size_t count)
{
    std::string bytes;
    bytes.reserve(record.size() * count);
    for (std::size_t i = 0; i < count; ++i) bytes += record;
    return bytes;
}

// Bytes of every value, the same in every run.
std::string Garbage(std::size_t size)
{
    std::string bytes(size, '\0');
    std::uint32_t state = 2463534242u;
    for (char& byte : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<char>(state & 0xFF);
    }
    return bytes;
}

// Every file and folder under the folder, as paths relative to it, sorted:
// what a case left on disk, temporary files included.
std::vector<std::wstring> TreeEntries(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(folder)))
        names.push_back(entry.path().lexically_relative(fs::path(folder)).wstring());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// The one movement every case that saves has in its ledger.
struct SavedMovement {
    std::wstring Date;

    Row ListRow() const { return RowOf(Date, L"Nomina", L"150'00", L"150'00"); }
    std::string Bytes() const { return LedgerRecord(Ansi(Date), "Nomina", "+150", "150", 0); }
};

SavedMovement InsertSaving(const Session& session)
{
    return {session.Insert(Saving, L"Nomina", L"150")};
}

// "Grabar" answered with the name; returns the message it ends with.
std::wstring Save(const Session& session, std::wstring_view name)
{
    session.ChooseWithName(SaveCommand, name);
    return session.AnswerMessage();
}

// "Leer" with the name the dialog already shows; returns the name it showed.
std::wstring ReadAgain(const Session& session)
{
    session.Choose(ReadCommand);
    const HWND dialog = session.App.WaitForWindow(FileNameCaption);
    const std::wstring shown = e2e::Text(e2e::Control(dialog, FileNameBoxId));
    e2e::Click(e2e::Control(dialog, FileNameAcceptId));
    e2e::WaitUntilGone(dialog);
    return shown;
}

// The failure message names the file and gives the system's reason after it.
void ExpectFailure(const std::wstring& message, const std::wstring& headline, const std::wstring& path)
{
    const std::wstring start = headline + path + L"\r\n";
    EXPECT_EQ(message.substr(0, start.size()), start);
    EXPECT_GT(message.size(), start.size()) << "no reason given";
}

// ---------------------------------------------------------------------------
// File names

enum class NameOutcome {
    Saved,    // under the name as kept, and read back from it
    Refused,  // the system refuses the name: saving fails with its reason, reading finds no file
    // A device such as NUL, with any extension, is no file: being there, it is
    // first offered for replacing; saving and reading both fail with a reason.
    Device,
    // A name with ":" would name a hidden stream of another file: both
    // commands refuse it before touching any file.
    Colon,
};

struct NameCase {
    const char* name;
    std::wstring typed;
    NameOutcome outcome;
    std::wstring file = L"";  // Saved: where the ledger lands, relative to the program's folder
    std::vector<std::wstring> folders = {};  // made in the program's folder before saving
};

void PrintTo(const NameCase& c, std::ostream* out)
{
    *out << c.name;
}

const std::wstring Long127(127, L'a');

const NameCase NameCases[] = {
    {"Long127", Long127, NameOutcome::Saved, Long127 + L".log"},
    {"Long130CutAt127", Long127 + L"bcd", NameOutcome::Saved, Long127 + L".log"},
    {"DeviceCON", L"CON", NameOutcome::Device},
    {"DeviceNUL", L"NUL", NameOutcome::Device},
    {"DeviceAUX", L"AUX", NameOutcome::Device},
    {"DeviceCOM1", L"COM1", NameOutcome::Device},
    {"WildcardStar", L"*", NameOutcome::Refused},
    {"WildcardQuestionMark", L"Ene?o", NameOutcome::Refused},
    // The extension follows, so trailing dots and spaces stay in the name.
    {"TrailingDots", L"Enero..", NameOutcome::Saved, L"Enero...log"},
    {"TrailingSpaces", L"Enero  ", NameOutcome::Saved, L"Enero  .log"},
    {"OnlySpaces", L"   ", NameOutcome::Saved, L"   .log"},
    {"SpacesInside", L"Enero 2025", NameOutcome::Saved, L"Enero 2025.log"},
    {"SubfolderThatExists", L"cuentas\\Enero", NameOutcome::Saved, L"cuentas\\Enero.log", {L"cuentas"}},
    {"AbsolutePathAfterTheDataFolder", L"C:\\Enero", NameOutcome::Colon},
    {"StreamOfAnotherFile", L"a:b", NameOutcome::Colon},
};

class HostileFileName : public testing::TestWithParam<NameCase> {};

// Saves one movement under the name, then reads under the name the dialog
// keeps: after "Nuevo" when it was saved, over the unsaved movement when not.
TEST_P(HostileFileName, IsSavedAsTypedOrRefusedWithAReason)
{
    const NameCase& c = GetParam();
    Session session;
    for (const auto& folder : c.folders) fs::create_directory(fs::path(session.PathOf(folder)));
    const SavedMovement movement = InsertSaving(session);
    const std::wstring kept = c.typed.substr(0, 127);
    const std::wstring path = session.PathOf(kept + L".log");

    session.ChooseWithName(SaveCommand, c.typed);
    if (c.outcome == NameOutcome::Device) {
        EXPECT_EQ(session.AnswerMessage(IDYES), OverwriteQuestion);
    }
    const std::wstring saved = session.AnswerMessage();
    if (c.outcome == NameOutcome::Saved) {
        EXPECT_EQ(saved, SavedText + kept);
        EXPECT_EQ(FileBytes(session.PathOf(c.file)), movement.Bytes());
        session.Choose(NewCommand);
    } else if (c.outcome == NameOutcome::Colon) {
        EXPECT_EQ(saved, ColonText);
    } else {
        ExpectFailure(saved, SaveFailedText, path);
    }

    EXPECT_EQ(ReadAgain(session), kept);
    switch (c.outcome) {
    case NameOutcome::Saved: EXPECT_TRUE(session.EndedWithoutMessage()); break;
    case NameOutcome::Refused: EXPECT_EQ(session.AnswerMessage(), FileMissingText); break;
    case NameOutcome::Device: ExpectFailure(session.AnswerMessage(), ReadFailedText, path); break;
    case NameOutcome::Colon: EXPECT_EQ(session.AnswerMessage(), ColonText); break;
    }
    EXPECT_EQ(session.Rows(), std::vector<Row>{movement.ListRow()});

    std::vector<std::wstring> expected = {L"Cofrelo.exe"};
    expected.insert(expected.end(), c.folders.begin(), c.folders.end());
    if (c.outcome == NameOutcome::Saved) expected.push_back(c.file);
    EXPECT_EQ(TreeEntries(session.App.Folder()), Sorted(expected));
    EXPECT_EQ(session.Exit(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Sweep, HostileFileName, testing::ValuesIn(NameCases),
                         testing::PrintToStringParamName());

// "..\" climbs out of the data folder, into the folder that holds the
// program's own; the file lands there, under a name no other run uses.
TEST(HostileFileNameWithDotDot, SavesOutsideTheDataFolder)
{
    Session session;
    const SavedMovement movement = InsertSaving(session);
    const fs::path folder = fs::path(session.App.Folder()).parent_path();
    const std::wstring name = L"..\\" + folder.filename().wstring() + L"-fuera";
    const fs::path landed = folder.parent_path() / (folder.filename().wstring() + L"-fuera.log");
    EXPECT_EQ(Save(session, name), SavedText + name);
    EXPECT_EQ(FileBytes(landed.wstring()), movement.Bytes());
    EXPECT_EQ(TreeEntries(session.App.Folder()), std::vector<std::wstring>{L"Cofrelo.exe"});
    std::error_code ignored;
    fs::remove(landed, ignored);
}

// ---------------------------------------------------------------------------
// Ledger files

struct LedgerFileCase {
    const char* name;
    std::string bytes;
    int records;  // the whole records "Leer" takes; -1 when it refuses the file
    std::optional<Row> firstRow = std::nullopt;
};

void PrintTo(const LedgerFileCase& c, std::ostream* out)
{
    *out << c.name;
}

const std::string OneRecord = LedgerRecord("01/02/2025", "Uno", "+10", "10", 0);
const std::string FullRecord = LedgerRecord("05/12/2026", "Lleno", "+1", "36500", 0);
const std::string NulRecord(RecordSize, '\0');

std::vector<LedgerFileCase> LedgerFileCases()
{
    return {
        {"Empty", "", 0},
        {"OneByteShortOfARecord", OneRecord.substr(0, RecordSize - 1), 0},
        {"ARecordAndOneByte", OneRecord + "x", 1, RowOf(L"01/02/2025", L"Uno", L"10'00", L"10'00")},
        {"Garbage", Garbage(3 * RecordSize + 50), 3},
        // A text cell shows up to its first NUL.
        {"AllNulBytes", NulRecord + NulRecord, 2, Row{L"", L"", Padded(L"0'00", 22), Padded(L"0'00", 22)}},
        {"Records36500", Repeated(FullRecord, 36500), 36500},
        {"Records36501FillEverySlot", Repeated(FullRecord, 36501), 36501},
        {"Records36502AreTooMany", Repeated(FullRecord, 36502), -1},
    };
}

class HostileLedgerFile : public testing::TestWithParam<LedgerFileCase> {};

// Reads the file over a ledger of one unsaved movement; whatever the ledger
// then holds is saved under another name and must come out byte for byte as
// it went in.
TEST_P(HostileLedgerFile, IsReadRecordByRecordOrRefusedAndNeverChanged)
{
    const LedgerFileCase& c = GetParam();
    Session session;
    const SavedMovement before = InsertSaving(session);
    const std::wstring path = session.PathOf(L"hostil.log");
    WriteFileBytes(path, c.bytes);
    session.ChooseWithName(ReadCommand, L"hostil");

    std::string expectedCopy;
    if (c.records < 0) {
        EXPECT_EQ(session.AnswerMessage(), ReadFailedText + path + L"\r\n" + TooManyRecordsReason);
        EXPECT_EQ(session.Rows(), std::vector<Row>{before.ListRow()});
        expectedCopy = before.Bytes();
    } else {
        EXPECT_TRUE(session.EndedWithoutMessage());
        const e2e::ListView list(session.List());
        EXPECT_EQ(list.RowCount(), c.records);
        if (c.firstRow) {
            EXPECT_EQ(session.Rows().front(), *c.firstRow);
        }
        expectedCopy = c.bytes.substr(0, static_cast<std::size_t>(c.records) * RecordSize);
    }

    std::vector<std::wstring> expected = {L"Cofrelo.exe", L"hostil.log"};
    if (expectedCopy.empty()) {
        session.Choose(SaveCommand);
        EXPECT_EQ(session.AnswerMessage(), NothingToSaveText);
    } else {
        EXPECT_EQ(Save(session, L"copia"), SavedText + L"copia");
        EXPECT_EQ(FileBytes(session.PathOf(L"copia.log")), expectedCopy);
        expected.push_back(L"copia.log");
    }
    EXPECT_EQ(FileBytes(path), c.bytes);
    EXPECT_EQ(TreeEntries(session.App.Folder()), Sorted(expected));
    EXPECT_EQ(session.Exit(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Sweep, HostileLedgerFile, testing::ValuesIn(LedgerFileCases()),
                         testing::PrintToStringParamName());

// ---------------------------------------------------------------------------
// Configuration files

constexpr Colours First{RGB(10, 20, 30), RGB(250, 240, 0), RGB(0, 0, 0),
                        RGB(0, 128, 0),  RGB(128, 0, 128), RGB(255, 200, 150)};
constexpr Colours Second{RGB(0, 0, 0),     RGB(255, 255, 0), RGB(0, 0, 128),
                         RGB(200, 200, 0), RGB(0, 128, 128), RGB(64, 64, 64)};

// A folder field of 255 bytes and no NUL: the data folder is its first 254.
// The "." steps keep the path short once the system has resolved it, and the
// byte cut off would otherwise start the file's name.
std::string FolderFieldWithoutNul()
{
    std::string field = "cuentas\\";
    while (field.size() < 254) field += ".\\";
    field += 'Z';
    return field;
}

struct ConfigCase {
    const char* name;
    std::string config;
    Colours colours;    // the rows' colours
    std::wstring file;  // where "Grabar" puts "Enero", relative to the program's folder; empty: refused
    std::vector<std::wstring> folders = {};  // made in the program's folder after start-up
    std::wstring refusedPath = L"";          // the path the failure message names
};

void PrintTo(const ConfigCase& c, std::ostream* out)
{
    *out << c.name;
}

// Data folders without a drive are taken from the program's folder, where it runs.
std::vector<ConfigCase> ConfigCases()
{
    const std::string first = SettingsRecord(First, "primero\\");
    const std::string second = SettingsRecord(Second, "segundo\\");
    std::string withoutNul = SettingsRecord(Second, "");
    withoutNul.replace(24, 255, FolderFieldWithoutNul());
    return {
        {"TruncatedTo278Bytes", first.substr(0, 278), DefaultColours, L"Enero.log"},
        {"Oversized300Bytes", first + std::string(21, 'x'), First, L"primero\\Enero.log", {L"primero"}},
        {"TwoRecordsTheSecondWins", first + second, Second, L"segundo\\Enero.log", {L"primero", L"segundo"}},
        {"NoNulInTheFolderField", withoutNul, Second, L"cuentas\\Enero.log", {L"cuentas"}},
        {"DataFolderNoLongerThere", SettingsRecord(First, "borrado\\"), First, L"", {}, L"borrado\\Enero.log"},
        {"DataFolderOnAMissingDrive", SettingsRecord(First, "Q:\\datos\\"), First, L"", {}, L"Q:\\datos\\Enero.log"},
    };
}

class HostileConfigurationFile : public testing::TestWithParam<ConfigCase> {};

// The program starts, paints its rows and saves where the file says, or tells
// why it cannot; the configuration file itself is never rewritten.
TEST_P(HostileConfigurationFile, KeepsTheProgramGoingAndSavingsStoredOrRefused)
{
    const ConfigCase& c = GetParam();
    // The missing drive must really be missing.
    ASSERT_FALSE(GetLogicalDrives() & (1u << ('Q' - 'A')));
    Session session({{L"Configurador.log", c.config}});
    for (const auto& folder : c.folders) fs::create_directory(fs::path(session.PathOf(folder)));
    const SavedMovement movement = InsertSaving(session);
    EXPECT_TRUE(session.ShowsRowInColours(0, c.colours.SavingText, c.colours.SavingBack));
    const std::wstring message = Save(session, L"Enero");

    std::vector<std::wstring> expected = {L"Cofrelo.exe", L"Configurador.log"};
    expected.insert(expected.end(), c.folders.begin(), c.folders.end());
    if (c.file.empty()) {
        ExpectFailure(message, SaveFailedText, c.refusedPath);
    } else {
        EXPECT_EQ(message, SavedText + L"Enero");
        EXPECT_EQ(FileBytes(session.PathOf(c.file)), movement.Bytes());
        expected.push_back(c.file);
    }
    EXPECT_EQ(FileBytes(session.PathOf(L"Configurador.log")), c.config);
    EXPECT_EQ(TreeEntries(session.App.Folder()), Sorted(expected));
    EXPECT_EQ(session.Exit(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Sweep, HostileConfigurationFile, testing::ValuesIn(ConfigCases()),
                         testing::PrintToStringParamName());

// ---------------------------------------------------------------------------
// A read-only ledger file

// Under Wine a read-only file can be replaced even with its mark set; on
// Windows only clearing the mark first makes it possible, so the mark must be gone.
TEST(ReadOnlyLedgerFile, IsReplacedOnYesAndKeptWholeOnNo)
{
    const std::string old = OneRecord + LedgerRecord("02/02/2025", "Dos", "+5", "15", 0);
    for (const bool replace : {true, false}) {
        SCOPED_TRACE(replace ? "Yes" : "No");
        Session session;
        const std::wstring path = session.PathOf(L"Enero.log");
        WriteFileBytes(path, old);
        ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
        const SavedMovement movement = InsertSaving(session);
        session.ChooseWithName(SaveCommand, L"Enero");
        EXPECT_EQ(session.AnswerMessage(replace ? IDYES : IDNO), OverwriteQuestion);
        if (replace) {
            EXPECT_EQ(session.AnswerMessage(), SavedText + L"Enero");
        } else {
            EXPECT_TRUE(session.EndedWithoutMessage());
        }
        EXPECT_EQ(FileBytes(path), replace ? movement.Bytes() : old);
        EXPECT_EQ((GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0, !replace);
        EXPECT_EQ(TreeEntries(session.App.Folder()), Sorted({L"Cofrelo.exe", L"Enero.log"}));
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // so that the folder can be removed
        EXPECT_EQ(session.Exit(), 0u);
    }
}

}  // namespace
