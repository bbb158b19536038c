#include "files/DocumentCommands.h"
#include "files/LedgerFile.h"
#include "MovementRecords.h"
#include "files/RtfExport.h"
#include "TestFiles.h"
#include "files/TextExport.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

const std::string Saving = Record("05/12/2026", "Nomina", "+1250.5", "1250.5", 0);
const std::string Expense = Record("06/12/2026", "Cena", "-30", "1220.5", 1);
const std::string Comment = Record("07/12/2026", "Nota", "*", "*", 2);
const std::string OldContents = "old contents";

enum class Prompt { FileName, Message, Question };

// One exchange with the user: what the command shows and what the user does.
struct Turn {
    Prompt prompt;
    std::string text;    // FileName: the name in the box when it opens; otherwise what is shown
    std::string answer;  // FileName: the name left when it closes; Question: "Si" or "No"
};

Turn FileName(std::string shown, std::string left)
{
    return {Prompt::FileName, std::move(shown), std::move(left)};
}

Turn Message(std::string text)
{
    return {Prompt::Message, std::move(text), ""};
}

Turn Overwrite(std::string answer)
{
    return {Prompt::Question, "El fichero Existe\r\nSobreEscribir ? ...", std::move(answer)};
}

std::string Substituted(std::string text, const std::string& placeholder, const std::string& value)
{
    const std::size_t at = text.find(placeholder);
    return at == std::string::npos ? text : text.replace(at, placeholder.size(), value);
}

// Plays the user's part from a script and checks every prompt against it, in
// order. "<path>" in a scripted text stands for the document's path.
class ScriptedDialogue final : public UserDialogue {
public:
    ScriptedDialogue(std::vector<Turn> script, const std::string& path, std::string what)
        : script_(std::move(script)), what_(std::move(what))
    {
        for (auto& turn : script_) turn.text = Substituted(turn.text, "<path>", path);
    }
    ~ScriptedDialogue() override { EXPECT_EQ(next_, script_.size()) << what_ << ": prompts missing"; }

    void AskFileName(std::string& ledgerFileName) override
    {
        ledgerFileName = Next(Prompt::FileName, ledgerFileName).answer;
    }
    void Tell(std::string_view text) override { Next(Prompt::Message, text); }
    bool AskYesNo(std::string_view text) override { return Next(Prompt::Question, text).answer == "Si"; }

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
        EXPECT_EQ(turn.text, text) << what_ << ", turn " << next_;
        return turn;
    }

    std::vector<Turn> script_;
    std::string what_;
    std::size_t next_ = 0;
};

void ExpectSameLedger(const Ledger& actual, const Ledger& expected, const std::string& what)
{
    EXPECT_EQ(actual.Count, expected.Count) << what;
    EXPECT_EQ(actual.CurrentBalance, expected.CurrentBalance) << what;
    EXPECT_EQ(LedgerBytes(actual), LedgerBytes(expected)) << what;
}

struct ReadBranch {
    const char* what;
    const char* nameBefore;
    std::optional<std::string> file;  // the ledger file's bytes, if there is one
    std::vector<Turn> script;
    bool replaced;
};

TEST(ReadLedger, FollowsEveryBranch)
{
    const std::string tooMany(static_cast<std::size_t>(LedgerSlots + 1) * MovementSize, ' ');
    const ReadBranch branches[] = {
        {"dialog closed with no name", "", Saving, {FileName("", "")}, false},
        {"missing file", "", std::nullopt, {FileName("", "Enero"), Message("Fichero NO Existe ...")}, false},
        {"existing file", "", Saving + Expense + Comment, {FileName("", "Enero")}, true},
        {"earlier name kept when the dialog closes", "Enero", Saving, {FileName("Enero", "Enero")}, true},
        {"empty file", "", "", {FileName("", "Enero")}, true},
        {"more records than slots", "", tooMany,
         {FileName("", "Enero"),
          Message("Fichero NO Leido : \r\n<path>\r\nTiene mas de 36501 movimientos y no cabe en memoria ...")},
         false},
        {"a name with a colon, never a stream of another file", "", Saving,
         {FileName("", "Enero:log"), Message("El nombre del fichero no puede llevar dos puntos (:)")}, false},
    };
    for (const auto& branch : branches) {
        ScratchFolder folder;
        const std::string path = folder / "Enero.log";
        if (branch.file) WriteBytes(path, *branch.file);
        Ledger ledger = LedgerOf(Expense + Comment);
        std::string name = branch.nameBefore;
        ScriptedDialogue user(branch.script, path, branch.what);

        EXPECT_EQ(ReadLedger(ledger, name, folder.Path(), SystemFileSystem(), user), branch.replaced) << branch.what;
        ExpectSameLedger(ledger, branch.replaced ? LedgerOf(*branch.file) : LedgerOf(Expense + Comment), branch.what);
    }
}

// "Grabar" and both exports, side by side: they differ only in extension,
// texts and document.
struct WritingCommand {
    const char* name;
    std::string_view extension;
    std::string (*SuccessText)(const std::string& ledgerFileName);
    void (*Run)(const Ledger&, std::string&, const std::string&, FileSystem&, UserDialogue&);
    std::string (*Document)(const Ledger&, bool replacing);
};

// The exports run in the American format, to see that the flag reaches them.
const WritingCommand WritingCommands[] = {
    {"Grabar", LedgerFileExtension,
     [](const std::string& name) { return "Ahorros Grabados con el nombre : \r\n" + name; },
     [](const Ledger& l, std::string& n, const std::string& d, FileSystem& f, UserDialogue& u) {
         SaveLedger(l, n, d, f, u);
     },
     [](const Ledger& l, bool) { return LedgerBytes(l); }},
    {"Exportar a TXT", TextExportExtension,
     [](const std::string&) { return std::string("Ahorros Exportados a TXT ..."); },
     [](const Ledger& l, std::string& n, const std::string& d, FileSystem& f, UserDialogue& u) {
         ExportText(l, n, d, true, f, u);
     },
     [](const Ledger& l, bool) { return TextExportContents(l, true); }},
    {"Exportar a Tabla RTF", RtfExportExtension,
     [](const std::string&) { return std::string("Ahorros Exportados a RTF ..."); },
     [](const Ledger& l, std::string& n, const std::string& d, FileSystem& f, UserDialogue& u) {
         ExportRtf(l, n, d, true, f, u);
     },
     [](const Ledger& l, bool replacing) { return RtfExportContents(l, true, replacing); }},
};

enum class FileAfter { None, Old, New, Replacement };

struct WriteBranch {
    const char* what;
    std::string records;
    const char* nameBefore;
    bool oldFile;
    std::vector<Turn> script;
    const char* document;  // the name the file is written under
    FileAfter after;
};

std::vector<WriteBranch> WriteBranches(const WritingCommand& command)
{
    const std::string ledger = Saving + Expense + Comment;
    return {
        {"empty ledger: no name is asked", "", "Enero", false, {Message("Tienes que insertar datos primero ...")},
         "Enero", FileAfter::None},
        {"dialog closed with no name", ledger, "", false, {FileName("", "")}, "Enero", FileAfter::None},
        {"box emptied and dialog closed", ledger, "Enero", true, {FileName("Enero", "")}, "Enero", FileAfter::Old},
        {"new file", ledger, "", false, {FileName("", "Enero"), Message(command.SuccessText("Enero"))}, "Enero",
         FileAfter::New},
        {"earlier name kept when the dialog closes", ledger, "Enero", false,
         {FileName("Enero", "Enero"), Message(command.SuccessText("Enero"))}, "Enero", FileAfter::New},
        {"a name with spaces", ledger, "", false,
         {FileName("", "Enero 2025"), Message(command.SuccessText("Enero 2025"))}, "Enero 2025", FileAfter::New},
        {"existing file, Yes", ledger, "", true,
         {FileName("", "Enero"), Overwrite("Si"), Message(command.SuccessText("Enero"))}, "Enero",
         FileAfter::Replacement},
        {"existing file, No", ledger, "", true, {FileName("", "Enero"), Overwrite("No")}, "Enero", FileAfter::Old},
        // Written under exactly the name typed, whatever the system's code page.
        {"a name in Polish", ledger, "", false,
         {FileName("", "\u0141\u00F3d\u017A"), Message(command.SuccessText("\u0141\u00F3d\u017A"))},
         "\u0141\u00F3d\u017A", FileAfter::New},
        {"a name in full-width letters and backslash", ledger, "", false,
         {FileName("", "\uFF41\uFF42\uFF3C\uFF43"), Message(command.SuccessText("\uFF41\uFF42\uFF3C\uFF43"))},
         "\uFF41\uFF42\uFF3C\uFF43", FileAfter::New},
        {"a name with a colon: nothing is written", ledger, "", false,
         {FileName("", "a:b"), Message("El nombre del fichero no puede llevar dos puntos (:)")}, "a",
         FileAfter::None},
    };
}

std::string ExpectedFile(const WritingCommand& command, const Ledger& ledger, FileAfter after)
{
    switch (after) {
    case FileAfter::Old: return OldContents;
    case FileAfter::New: return command.Document(ledger, false);
    case FileAfter::Replacement: return command.Document(ledger, true);
    case FileAfter::None: break;
    }
    return "";
}

TEST(WritingCommands, FollowEveryBranch)
{
    for (const auto& command : WritingCommands) {
        for (const auto& branch : WriteBranches(command)) {
            const std::string what = std::string(command.name) + ": " + branch.what;
            ScratchFolder folder;
            const std::string fileName = branch.document + std::string(command.extension);
            const std::string path = folder / fileName;
            if (branch.oldFile) WriteBytes(path, OldContents);
            const Ledger ledger = LedgerOf(branch.records);
            std::string name = branch.nameBefore;
            {
                ScriptedDialogue user(branch.script, path, what);
                command.Run(ledger, name, folder.Path(), SystemFileSystem(), user);
            }
            ExpectSameLedger(ledger, LedgerOf(branch.records), what);
            EXPECT_EQ(folder.Listing(), branch.after == FileAfter::None ? "" : fileName) << what;
            if (branch.after != FileAfter::None) {
                EXPECT_EQ(ReadBytes(path), ExpectedFile(command, ledger, branch.after)) << what;
            }
        }
    }
}

}  // namespace
