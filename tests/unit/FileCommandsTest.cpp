// The commands that read and write files: "Leer", "Grabar", both exports and
// saving the configuration, over a file system in memory. Every branch of the
// talk with the user, played from a script; then a census of injected faults:
// every write path is made to fail at each of its steps in turn, with no
// previous file, over one and over a read-only one, which must stay whole,
// read-only mark included.
#include "files/DocumentCommands.h"
#include "files/LedgerFile.h"
#include "files/RtfExport.h"
#include "files/SafeWrite.h"
#include "files/TextExport.h"
#include "settings/Settings.h"
#include "support/MemoryFileSystem.h"
#include "support/Records.h"

#include <gtest/gtest.h>

#include <optional>
#include <span>
#include <vector>

namespace {

const std::string Movements = SavingRecord + ExpenseRecord + CommentRecord;
const std::string Folder = "C:\\Cuentas\\";
const std::string OldContents = "the previous file, longer than the half a failing write leaves";
const std::string ColonRefused = "El nombre del fichero no puede llevar dos puntos (:)";

enum class Prompt { FileName, Message, Question };

// One exchange with the user: what the command shows and what the user does.
struct Turn {
    Prompt prompt;
    std::string text;    // FileName: the name in the box when it opens; otherwise what is shown
    std::string answer;  // FileName: the name left when it closes; Question: "Si" or "No"
};

Turn FileName(std::string shown, std::string left) { return {Prompt::FileName, std::move(shown), std::move(left)}; }
Turn Message(std::string text) { return {Prompt::Message, std::move(text), ""}; }
Turn Overwrite(std::string answer) { return {Prompt::Question, "El fichero Existe\r\nSobreEscribir ? ...", answer}; }

// Plays the user's part from a script and checks every prompt against it, in
// order. A scripted message without text takes whatever is told, and may stay
// untold as the last turn (a command that succeeds without a word).
class ScriptedUser final : public UserDialogue {
public:
    ScriptedUser(std::vector<Turn> script, std::string what) : script_(std::move(script)), what_(std::move(what)) {}
    ~ScriptedUser() override
    {
        const bool onlyAnyMessageLeft = next_ + 1 == script_.size() && script_.back().prompt == Prompt::Message &&
                                        script_.back().text.empty();
        EXPECT_TRUE(next_ == script_.size() || onlyAnyMessageLeft) << what_ << ": prompts missing";
    }

    void AskFileName(std::string& name) override { name = Next(Prompt::FileName, name).answer; }
    void Tell(std::string_view text) override { Next(Prompt::Message, told_ = text); }
    bool AskYesNo(std::string_view text) override { return Next(Prompt::Question, text).answer == "Si"; }
    const std::string& Told() const { return told_; }

private:
    const Turn& Next(Prompt prompt, std::string_view text)
    {
        static const Turn unscripted{Prompt::Message, "", ""};
        if (next_ == script_.size()) {
            ADD_FAILURE() << what_ << ": unscripted prompt " << text;
            return unscripted;
        }
        const Turn& turn = script_[next_++];
        EXPECT_EQ(turn.prompt, prompt) << what_ << ", turn " << next_;
        if (prompt != Prompt::Message || !turn.text.empty()) {
            EXPECT_EQ(turn.text, text) << what_ << ", turn " << next_;
        }
        return turn;
    }

    std::vector<Turn> script_;
    std::string what_;
    std::string told_;
    std::size_t next_ = 0;
};

TEST(ReadLedger, FollowsEveryBranch)
{
    const std::string path = Folder + "Enero.log";
    const struct {
        const char* what;
        const char* nameBefore;
        std::optional<std::string> file;
        std::vector<Turn> script;
        bool replaced;
    } branches[] = {
        {"dialog closed with no name", "", SavingRecord, {FileName("", "")}, false},
        {"missing file", "", std::nullopt, {FileName("", "Enero"), Message("Fichero NO Existe ...")}, false},
        {"existing file", "", Movements, {FileName("", "Enero")}, true},
        {"earlier name kept when the dialog closes", "Enero", SavingRecord, {FileName("Enero", "Enero")}, true},
        {"empty file", "", "", {FileName("", "Enero")}, true},
        {"more records than slots", "", std::string((LedgerSlots + 1) * MovementSize, ' '),
         {FileName("", "Enero"), Message("Fichero NO Leido : \r\n" + path +
                                         "\r\nTiene mas de 36501 movimientos y no cabe en memoria ...")},
         false},
        {"a name with a colon, never a stream of another file", "", SavingRecord,
         {FileName("", "Enero:log"), Message(ColonRefused)}, false},
    };
    for (const auto& branch : branches) {
        MemoryFileSystem files;
        if (branch.file) files.Put(path, *branch.file);
        Ledger ledger = LedgerOf(ExpenseRecord + CommentRecord);
        std::string name = branch.nameBefore;
        ScriptedUser user(branch.script, branch.what);
        EXPECT_EQ(ReadLedger(ledger, name, Folder, files, user), branch.replaced) << branch.what;
        EXPECT_EQ(LedgerBytes(ledger), branch.replaced ? *branch.file : ExpenseRecord + CommentRecord) << branch.what;
    }
}

Settings ChosenSettings()
{
    Settings settings = DefaultSettings("D:\\Cuentas\\");
    settings.SavingBackColor = 0x00123456;
    return settings;
}

// Saving the configuration; the chosen settings take force even when saving fails.
void RunSaveConfiguration(const Ledger&, std::string&, const std::string& folder, FileSystem& files,
                          UserDialogue& user)
{
    ConfigurationFile file(files, folder);
    Settings settings = DefaultSettings(folder);
    SaveConfiguration(settings, ChosenSettings(), file, user);
    EXPECT_EQ(settings, ChosenSettings());
}

// "Grabar", both exports and the configuration, side by side; the exports run
// in the American format, to see that the flag reaches them.
const struct WriteCommand {
    const char* name;
    std::string fileName;  // for the document "Enero"
    std::string successText;
    const char* failureHeadline;
    std::string (*Document)(const std::string& records, bool replacing);
    void (*Run)(const Ledger&, std::string& name, const std::string& folder, FileSystem&, UserDialogue&);
} WriteCommands[] = {
    {"Grabar", "Enero.log", "Ahorros Grabados con el nombre : \r\nEnero", "Ahorros NO Grabados en el fichero : ",
     [](const std::string& records, bool) { return records; }, SaveLedger},
    {"Exportar a TXT", "Enero.txt", "Ahorros Exportados a TXT ...", "Ahorros NO Exportados a TXT en el fichero : ",
     [](const std::string& records, bool) { return TextExportContents(LedgerOf(records), true); },
     [](const Ledger& l, std::string& n, const std::string& d, FileSystem& f, UserDialogue& u) {
         ExportText(l, n, d, true, f, u);
     }},
    {"Exportar a Tabla RTF", "Enero.rtf", "Ahorros Exportados a RTF ...", "Ahorros NO Exportados a RTF en el fichero : ",
     [](const std::string& records, bool replacing) { return RtfExportContents(LedgerOf(records), true, replacing); },
     [](const Ledger& l, std::string& n, const std::string& d, FileSystem& f, UserDialogue& u) {
         ExportRtf(l, n, d, true, f, u);
     }},
    {"Configuracion", std::string(SettingsFileName), "", "Configuracion NO Grabada en el fichero : ",
     [](const std::string&, bool) {
         MemoryFileSystem files;
         ConfigurationFile(files, Folder).SaveSettings(ChosenSettings());
         return *files.Find(Folder + std::string(SettingsFileName));
     },
     RunSaveConfiguration},
};

TEST(WritingCommands, FollowEveryBranch)
{
    enum class FileAfter { None, Old, New, Replacement };
    for (const auto& command : std::span(WriteCommands).first(3)) {
        const Turn success = Message(command.successText);
        const struct {
            const char* what;
            std::string records;
            const char* nameBefore;
            bool oldFile;
            std::vector<Turn> script;
            FileAfter after;
        } branches[] = {
            {"empty ledger: no name is asked", "", "Enero", false, {Message("Tienes que insertar datos primero ...")},
             FileAfter::None},
            {"dialog closed with no name", Movements, "", false, {FileName("", "")}, FileAfter::None},
            {"box emptied and dialog closed", Movements, "Enero", true, {FileName("Enero", "")}, FileAfter::Old},
            {"new file", Movements, "", false, {FileName("", "Enero"), success}, FileAfter::New},
            {"earlier name kept", Movements, "Enero", false, {FileName("Enero", "Enero"), success}, FileAfter::New},
            {"existing file, Yes", Movements, "", true, {FileName("", "Enero"), Overwrite("Si"), success},
             FileAfter::Replacement},
            {"existing file, No", Movements, "", true, {FileName("", "Enero"), Overwrite("No")}, FileAfter::Old},
            {"a name with a colon", Movements, "", false, {FileName("", "Enero:x"), Message(ColonRefused)},
             FileAfter::None},
        };
        for (const auto& branch : branches) {
            const std::string what = std::string(command.name) + ": " + branch.what;
            MemoryFileSystem files;
            if (branch.oldFile) files.Put(Folder + command.fileName, OldContents);
            std::string name = branch.nameBefore;
            {
                ScriptedUser user(branch.script, what);
                command.Run(LedgerOf(branch.records), name, Folder, files, user);
            }
            const std::string expected[] = {"", OldContents, command.Document(branch.records, false),
                                            command.Document(branch.records, true)};
            EXPECT_EQ(files.Listing(), branch.after == FileAfter::None ? "" : Folder + command.fileName) << what;
            if (branch.after != FileAfter::None) {
                EXPECT_EQ(*files.Find(Folder + command.fileName), expected[static_cast<int>(branch.after)]) << what;
            }
        }
    }
}

// Runs the command with the fault at failingStep; false once it has fewer steps.
// A leftover of an interrupted save stands beside the target and is stepped around.
bool InjectAt(const WriteCommand& command, bool previous, bool readOnly, int failingStep)
{
    MemoryFileSystem files;
    const std::string target = Folder + command.fileName;
    const std::string leftover = TemporaryPathFor(target, 1);
    files.Put(leftover, "leftover");
    if (previous) files.Put(target, OldContents);
    if (readOnly) files.MakeReadOnly(target);
    files.FailStep(failingStep);
    const bool asksName = command.Run != RunSaveConfiguration;
    std::vector<Turn> script;
    if (asksName) script.push_back(FileName("", "Enero"));
    if (asksName && previous) script.push_back(Overwrite("Si"));
    script.push_back(Message(""));

    std::string told;
    {
        ScriptedUser user(script, command.name);
        std::string name;
        command.Run(LedgerOf(Movements), name, Folder, files, user);
        told = user.Told();
    }
    const std::string where = std::string(command.name) + (previous ? ", over a previous file" : ", no previous file") +
                              (readOnly ? " (read-only)" : "") + ", fault at step " + std::to_string(failingStep);
    const std::string* written = files.Find(target);
    const bool succeeded = told == command.successText && written && *written == command.Document(Movements, previous);
    EXPECT_EQ(*files.Find(leftover), "leftover") << where;
    if (files.FailedStep().empty()) {
        EXPECT_TRUE(succeeded) << where << ": told " << told;
        EXPECT_EQ(files.Listing(), target + " " + leftover) << where;
        return false;
    }
    // Only a failure to clear the read-only mark of a file without one may pass unnoticed.
    if (succeeded && files.FailedStep() == "ClearReadOnly" && !readOnly) return true;
    const std::string failure = std::string(command.failureHeadline) + "\r\n" + target + "\r\n";
    EXPECT_TRUE(told.starts_with(failure) && told.size() > failure.size()) << where << ": told " << told;
    EXPECT_EQ(files.Listing(), previous ? target + " " + leftover : leftover) << where;
    EXPECT_TRUE(!previous || (written && *written == OldContents)) << where;
    EXPECT_EQ(files.IsReadOnly(target), readOnly) << where << ": the read-only mark";
    return true;
}

TEST(FaultCensus, EveryWritePathKeepsThePreviousFileAndTellsOfEveryFailure)
{
    for (const auto& command : WriteCommands) {
        const std::pair<bool, bool> previousFiles[] = {{false, false}, {true, false}, {true, true}};  // and read-only
        for (const auto& [previous, readOnly] : previousFiles) {
            int faults = 0;
            for (int failingStep = 1; InjectAt(command, previous, readOnly, failingStep); ++failingStep) ++faults;
            // Creating, writing, flushing and closing the new file and moving it into place, at least.
            EXPECT_GE(faults, 5) << command.name << (previous ? ", over a previous file" : "");
        }
    }
}

}  // namespace
