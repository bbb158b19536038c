// The commands that read and write files: "Leer", "Grabar", both exports and
// saving the configuration, over a file system in memory. Every branch of the
// talk with the user, played from a script; then a census of injected faults:
// every write path is made to fail at each of its steps in turn, with no
// previous file, over one and over a read-only one, which must stay whole,
// read-only mark included, as must every backup of it.
#include "ledger/files/DocumentCommands.h"
#include "ledger/files/RtfExport.h"
#include "ledger/files/SafeWrite.h"
#include "ledger/files/TextExport.h"
#include "ledger/settings/ConfigurationFile.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <span>
#include <vector>

using namespace cofrelo;
using namespace std::chrono_literals;

namespace {

const std::string Movements = SavingRecord + ExpenseRecord + CommentRecord;
const std::string Folder = "C:\\Cuentas\\";
const std::string OldContents = "the previous file, longer than the half a failing write leaves";
const std::string ColonRefused = "El nombre del fichero no puede llevar dos puntos (:)";

enum class Prompt { FileName, Message, Question };

// One exchange with the user: what the command shows (for a file name, the
// name in the box as it opens) and what the user answers (the name left in
// the box as it closes; "Si" or "No").
struct Turn { Prompt prompt; std::string text, answer; bool operator==(const Turn&) const = default; };

void PrintTo(const Turn& t, std::ostream* out) { *out << int(t.prompt) << ": " << t.text << " -> " << t.answer; }

Turn FileName(std::string shown, std::string left) { return {Prompt::FileName, std::move(shown), std::move(left)}; }
Turn Message(std::string text) { return {Prompt::Message, std::move(text), ""}; }
Turn Overwrite(std::string answer) { return {Prompt::Question, "El fichero Existe\r\nSobreEscribir ? ...", answer}; }

// Plays the user's part: answers each prompt as the script's turn in its place
// does, and writes down every turn played, for the test to compare with the script.
struct ScriptedUser final : User {
    explicit ScriptedUser(std::vector<Turn> turns) : script(std::move(turns)) {}
    std::optional<std::string> AskFileName(std::string_view shown) override { return Play(Prompt::FileName, shown); }
    void Tell(std::string_view text) override { Play(Prompt::Message, text); }
    bool AskYesNo(std::string_view text) override { return Play(Prompt::Question, text) == "Si"; }
    std::string Play(Prompt prompt, std::string_view text)
    {
        const std::string answer = played.size() < script.size() ? script[played.size()].answer : "";
        played.push_back({prompt, std::string(text), answer});
        return answer;
    }

    const std::vector<Turn> script;
    std::vector<Turn> played;
};

// On every failure the ledger stays as it was. `loaded`: the records read, if any.
TEST(ReadLedger, FollowsEveryBranch)
{
    const std::string path = Folder + "Enero.log", before = ExpenseRecord + CommentRecord;
    const std::string notRead = "Fichero NO Leido : \r\n" + path + "\r\n";
    const struct { const char *what, *nameBefore; std::optional<std::string> file; bool broken;
                   std::optional<std::string> loaded; std::vector<Turn> script; } branches[] = {
        {"box emptied and dialog closed", "Enero", SavingRecord, false, {}, {FileName("Enero", "")}},
        {"missing file", "", {}, false, {}, {FileName("", "Enero"), Message("Fichero NO Existe ...")}},
        {"earlier name kept as the dialog closes", "Enero", Movements, false, Movements, {FileName("Enero", "Enero")}},
        {"whole records", "", SavingRecord + ExpenseRecord.substr(1), false, SavingRecord, {FileName("", "Enero")}},
        {"a failing read", "", Movements, true, {}, {FileName("", "Enero"), Message(notRead + "Error de lectura")}},
        {"more records than slots", "", std::string((LedgerSlots + 1) * MovementSize, ' '), false, {},
         {FileName("", "Enero"), Message(notRead + "Tiene mas de 36501 movimientos y no cabe en memoria ...")}},
        {"a colon, as typed", "", Movements, false, {}, {FileName("", "Enero:x"), Message("Fichero NO Existe ...")}}};
    for (const auto& branch : branches) {
        SCOPED_TRACE(branch.what);
        MemoryFileSystem files(branch.file ? FileMap{{path, *branch.file}} : FileMap{});
        if (branch.broken) files.BreakReading();
        Ledger ledger = LedgerOf(before);
        std::string name = branch.nameBefore;
        ScriptedUser user(branch.script);
        EXPECT_EQ(ReadLedger(ledger, name, Folder, files, user), branch.loaded.has_value());
        EXPECT_EQ(user.played, branch.script);
        EXPECT_EQ(LedgerBytes(ledger), branch.loaded.value_or(before));
        EXPECT_EQ(ledger.CurrentBalance(), LedgerOf(branch.loaded.value_or(before)).CurrentBalance());
    }
}

// "Grabar" at a time of its own, which names the backup of a replaced ledger.
const auto ReplacedAt = std::chrono::local_days{2026y / 12 / 7} + 17h + 5min + 9s;
void RunSaveLedger(const Ledger& ledger, std::string& name, const std::string& folder, FileSystem& files, User& user)
{
    SaveLedger(ledger, name, folder, ReplacedAt, files, user);
}

const Settings Chosen{{{{1, 2}, {3, 4}, {5, 6}}}, "D:\\Cuentas\\"};

// Saving the configuration; the chosen settings take force even when saving fails.
void RunSaveConfiguration(const Ledger&, std::string&, const std::string& folder, FileSystem& files, User& user)
{
    ConfigurationFile file(files, folder, SystemAnsiCodePage());
    Settings settings = DefaultSettings(folder);
    SaveConfiguration(settings, Chosen, file, user);
    EXPECT_EQ(settings, Chosen);
}

// "Grabar", both exports and the configuration, side by side; the exports run
// in the American format, to see that the flag reaches them. The file names are
// those of the document "Enero".
const struct WriteCommand {
    const char* name; std::string fileName, successText; const char* failureHeadline;
    std::string (*Document)(const std::string& records, bool replacing);
    void (*Run)(const Ledger&, std::string& name, const std::string& folder, FileSystem&, User&);
} WriteCommands[] = {
    {"Grabar", "Enero.log", "Ahorros Grabados con el nombre : \r\nEnero", "Ahorros NO Grabados en el fichero : ",
     [](const std::string& records, bool) { return records; }, RunSaveLedger},
    {"Exportar a TXT", "Enero.txt", "Ahorros Exportados a TXT ...", "Ahorros NO Exportados a TXT en el fichero : ",
     [](const std::string& records, bool) { return TextExportContents(LedgerOf(records), true); },
     [](auto& l, auto& n, auto& d, auto& f, auto& u) { ExportText(l, n, d, true, f, u); }},
    {"Exportar a Tabla RTF", "Enero.rtf", "Ahorros Exportados a RTF ...",
     "Ahorros NO Exportados a RTF en el fichero : ",
     [](const std::string& records, bool replacing) { return RtfExportContents(LedgerOf(records), true, replacing); },
     [](auto& l, auto& n, auto& d, auto& f, auto& u) { ExportRtf(l, n, d, true, f, u); }},
    {"Configuracion", std::string(SettingsFileName), "", "Configuracion NO Grabada en el fichero : ",
     [](const std::string&, bool) { return SettingsRecordBytes(Chosen); }, RunSaveConfiguration}};

// Writing a new file and replacing one, successful or not, is the census's part;
// an emptied box, "Leer"'s.
TEST(WritingCommands, FollowEveryBranch)
{
    for (const auto& command : std::span(WriteCommands).first(3)) {
        const std::string path = Folder + command.fileName;
        const Turn success = Message(command.successText);
        const struct { const char* what; std::string records; const char* nameBefore; bool oldFile;
                       std::vector<Turn> script; } branches[] = {
            {"empty ledger: no name is asked", "", "Enero", false, {Message("Tienes que insertar datos primero ...")}},
            {"earlier name kept, one movement", SavingRecord, "Enero", false, {FileName("Enero", "Enero"), success}},
            {"existing file, No", Movements, "", true, {FileName("", "Enero"), Overwrite("No")}},
            {"a name with a colon", Movements, "", false, {FileName("", "Enero:x"), Message(ColonRefused)}}};
        for (const auto& branch : branches) {
            SCOPED_TRACE(std::string(command.name) + ": " + branch.what);
            FileMap expected;
            if (branch.oldFile) expected[path] = OldContents;
            MemoryFileSystem files(expected);
            std::string name = branch.nameBefore;
            ScriptedUser user(branch.script);
            command.Run(LedgerOf(branch.records), name, Folder, files, user);
            EXPECT_EQ(user.played, branch.script);
            if (branch.script.back() == success) expected[path] = command.Document(branch.records, false);
            EXPECT_EQ(files.Files(), expected);
        }
    }
}

// With no data folder the name typed is the whole path: only the colon of its
// drive may stand in it.
TEST(WritingCommands, RefuseEveryColonButTheDriveOfAFullPath)
{
    const std::pair<std::string, bool> cases[] = {
        {"D:\\Cuentas\\enero", true}, {"A:/enero", true}, {"Z:\\x", true}, {"a:/x", true}, {"z:\\x", true},
        {"D:enero", false}, {"enero:x", false}, {"D:\\a:b", false}, {"1:\\enero", false}, {"@:\\x", false},
        {"[:\\x", false}, {"`:\\x", false}, {"{:\\x", false}, {":x", false}, {"\\\\servidor\\c:\\enero", false}};
    for (const auto& [typed, written] : cases) {
        MemoryFileSystem files;
        ScriptedUser user({FileName("", typed)});
        std::string name;
        RunSaveLedger(LedgerOf(Movements), name, "", files, user);
        EXPECT_EQ(files.Files(), (written ? FileMap{{typed + ".log", Movements}} : FileMap{})) << typed;
    }
}

const std::string Copias = Folder + "Copias";
// Backups of "Enero" from earlier saves, oldest first, each holding its own
// name, the last made in the second this save takes; and a file of the user's
// that only looks like one.
const std::vector<std::string> EarlierBackups = {
    Copias + "\\Enero 2025-12-31 23.59.59.log", Copias + "\\Enero 2026-01-01 10.00.00.log",
    Copias + "\\Enero 2026-10-01 09.00.00.log", Copias + "\\Enero 2026-12-07 17.05.08.log",
    Copias + "\\Enero 2026-12-07 17.05.09.log"};
const std::string LookAlike = Copias + "\\Enero 2025-01-01 10.00.00.log.txt";
const std::string NewBackup = Copias + "\\Enero 2026-12-07 17.05.10.log";
// What "Grabar" over a previous file tells after its confirmation when this step fails.
const std::string BackupNotMade = "Copia NO Guardada del fichero anterior : \r\n";
const std::map<std::string, std::string> BackupNotices = {
    {"CreateFolder", BackupNotMade + Copias}, {"ListFiles", BackupNotMade + Copias},
    {"ReplaceKeepingBackup", BackupNotMade + NewBackup},
    {"Remove", "Copia antigua NO Borrada : \r\n" + EarlierBackups[0]}};
// Runs the command with the fault at failingStep; gives the step that failed,
// none once it has fewer steps. A leftover of an interrupted save stands
// beside the target and is stepped around.
std::string InjectAt(const WriteCommand& command, bool previous, bool readOnly, int failingStep)
{
    const std::string target = Folder + command.fileName;
    FileMap expected = {{TemporaryPathFor(target, 1), "leftover"}, {LookAlike, LookAlike}};
    for (const std::string& backup : EarlierBackups) expected[backup] = backup;
    if (previous) expected[target] = OldContents;
    MemoryFileSystem files(expected);
    if (readOnly) files.MakeReadOnly(target);
    files.FailStep(failingStep);
    std::vector<Turn> questions;
    if (command.Run != RunSaveConfiguration) questions.push_back(FileName("", "Enero"));
    if (command.Run != RunSaveConfiguration && previous) questions.push_back(Overwrite("Si"));
    ScriptedUser user(questions);
    std::string name;
    command.Run(LedgerOf(Movements), name, Folder, files, user);

    SCOPED_TRACE(std::string(command.name) + (previous ? ", over a previous file" : ", no previous file") +
                 (readOnly ? " (read-only)" : "") + ", fault at step " + std::to_string(failingStep));
    // The questions, then what became of the file (saving the configuration may succeed without a
    // word), then for "Grabar" over a previous file whether its backup failed.
    const std::string told = user.played.size() > questions.size() ? user.played[questions.size()].text : "";
    if (!told.empty()) questions.push_back(Message(told));
    const std::string* written = files.Find(target);
    const bool succeeded = told == command.successText && written && *written == command.Document(Movements, previous);
    const std::string step = files.FailedStep();
    const bool backedUp = command.Run == RunSaveLedger && previous && succeeded;
    const bool noticed = backedUp && BackupNotices.contains(step);
    if (noticed) questions.push_back(Message(BackupNotices.at(step) + "\r\nFallo provocado"));
    EXPECT_EQ(user.played, questions);

    // Every file's bytes: the backup holds the file replaced, the oldest goes once six stand.
    if (backedUp && !noticed) expected.erase(EarlierBackups[0]);
    if (backedUp && (!noticed || step == "Remove")) expected[NewBackup] = OldContents;
    if (succeeded) expected[target] = *written;
    EXPECT_EQ(files.Files(), expected);
    EXPECT_TRUE(succeeded || !step.empty()) << "told " << told;
    EXPECT_EQ(files.IsReadOnly(target), readOnly && !succeeded) << "the read-only mark";
    // Every fault is told but those of the backup after the file is saved, which are told apart, and a
    // failure to clear the read-only mark of a file without one.
    const bool untold = step.empty() || noticed || (succeeded && step == "ClearReadOnly" && !readOnly);
    const std::string failure = std::string(command.failureHeadline) + "\r\n" + target + "\r\n";
    EXPECT_EQ(told.starts_with(failure) && told.size() > failure.size(), !untold) << "told " << told;
    return step;
}

const std::set<std::string> WriteSteps = {"RefuseDevice", "CreateNew", "Write", "Flush", "Close"};
const std::set<std::string> BackupSteps = {"CreateFolder", "ReplaceKeepingBackup", "ListFiles", "Remove"};

TEST(FaultCensus, EveryWritePathKeepsThePreviousFileAndItsBackupsAndTellsOfEveryFailure)
{
    for (const auto& command : WriteCommands) {
        const std::pair<bool, bool> previousFiles[] = {{false, false}, {true, false}, {true, true}};  // and read-only
        for (const auto& [previous, readOnly] : previousFiles) {
            std::set<std::string> failed;  // the steps made to fail, and "" once none is left
            for (int step = 1; !failed.contains(""); ++step) failed.insert(InjectAt(command, previous, readOnly, step));
            // Refusing a device, creating, writing, flushing and closing the new file, at least; "Grabar"
            // over a previous file also keeps it as a backup and prunes the oldest.
            EXPECT_TRUE(std::ranges::includes(failed, WriteSteps)) << command.name << (previous ? ", over a file" : "");
            EXPECT_EQ(std::ranges::includes(failed, BackupSteps), command.Run == RunSaveLedger && previous)
                << command.name;
        }
    }
}

}  // namespace
