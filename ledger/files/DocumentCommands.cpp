#include "ledger/files/DocumentCommands.h"

#include "ledger/files/Backups.h"
#include "ledger/files/LedgerFile.h"
#include "ledger/files/RtfExport.h"
#include "ledger/files/SafeWrite.h"
#include "ledger/files/TextExport.h"

#include <algorithm>
#include <optional>

namespace cofrelo {

namespace {

constexpr std::string_view FileMissingText = "Fichero NO Existe ...";
constexpr std::string_view NothingToWriteText = "Tienes que insertar datos primero ...";
constexpr std::string_view OverwriteQuestion = "El fichero Existe\r\nSobreEscribir ? ...";
constexpr std::string_view SavedText = "Ahorros Grabados con el nombre : \r\n";
constexpr std::string_view TextExportedText = "Ahorros Exportados a TXT ...";
constexpr std::string_view RtfExportedText = "Ahorros Exportados a RTF ...";

constexpr std::string_view ReadFailedText = "Fichero NO Leido : ";
constexpr std::string_view SaveFailedText = "Ahorros NO Grabados en el fichero : ";
constexpr std::string_view TextExportFailedText = "Ahorros NO Exportados a TXT en el fichero : ";
constexpr std::string_view RtfExportFailedText = "Ahorros NO Exportados a RTF en el fichero : ";
constexpr std::string_view BackupNotMadeText = "Copia NO Guardada del fichero anterior : ";
constexpr std::string_view BackupNotRemovedText = "Copia antigua NO Borrada : ";

// Asks for the document name; false when there is none to work with.
bool AskName(std::string& ledgerFileName, User& user)
{
    if (std::optional<std::string> stored = user.AskFileName(ledgerFileName)) ledgerFileName = std::move(*stored);
    return !ledgerFileName.empty();
}

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A colon anywhere but after the drive letter of a full path ("D:\Cuentas\")
// names a hidden stream of another file ("enero:x"), or a path relative to
// another folder of a drive ("D:enero"): no file of its own for writing.
bool HasStrayColon(std::string_view path)
{
    const bool fullDrivePath = path.size() > 2 && IsAsciiLetter(path[0]) && path[1] == ':' &&
                               (path[2] == '\\' || path[2] == '/');
    return std::count(path.begin(), path.end(), ':') > (fullDrivePath ? 1 : 0);
}

struct WriteTarget {
    std::string Path;
    OverwriteOutcome Outcome;
};

// What "Grabar" and both exports ask before they write: there must be something
// to write, a name, and leave to replace a file already there.
std::optional<WriteTarget> ChooseWriteTarget(const Ledger& ledger, std::string& ledgerFileName,
                                             const std::string& dataFolder, std::string_view extension,
                                             FileSystem& files, User& user)
{
    if (ledger.Count() < 1) {
        user.Tell(NothingToWriteText);
        return std::nullopt;
    }
    if (!AskName(ledgerFileName, user)) return std::nullopt;
    std::string path = DocumentPath(dataFolder, ledgerFileName, extension);
    if (HasStrayColon(path)) {
        user.Tell(ColonInNameText);
        return std::nullopt;
    }
    const OverwriteOutcome outcome = ConfirmOverwrite(path, files, user);
    if (outcome == OverwriteOutcome::Declined) return std::nullopt;
    return WriteTarget{std::move(path), outcome};
}

void TellWriteOutcome(User& user, const FileResult& written, std::string_view successText,
                      std::string_view failureHeadline, const std::string& path)
{
    if (written) {
        user.Tell(successText);
    } else {
        user.Tell(FailureText(failureHeadline, path, written.Reason));
    }
}

// Told after the confirmation, in a message of its own.
void TellBackupOutcome(User& user, const BackupOutcome& backup)
{
    if (backup.What == BackupOutcome::Step::Kept) return;
    const bool notMade = backup.What == BackupOutcome::Step::NotMade;
    user.Tell(FailureText(notMade ? BackupNotMadeText : BackupNotRemovedText, backup.Path, backup.Reason));
}

}  // namespace

OverwriteOutcome ConfirmOverwrite(const std::string& path, FileSystem& files, User& user)
{
    if (!files.Exists(path)) return OverwriteOutcome::NewFile;
    return user.AskYesNo(OverwriteQuestion) ? OverwriteOutcome::Replaced : OverwriteOutcome::Declined;
}

bool ReadLedger(Ledger& ledger, std::string& ledgerFileName, const std::string& dataFolder, FileSystem& files,
                User& user)
{
    if (!AskName(ledgerFileName, user)) return false;
    const std::string path = DocumentPath(dataFolder, ledgerFileName, LedgerFileExtension);
    if (!files.Exists(path)) {
        user.Tell(FileMissingText);
        return false;
    }
    const FileResult loaded = LoadLedgerFile(files, path, ledger);
    if (!loaded) user.Tell(FailureText(ReadFailedText, path, loaded.Reason));
    return loaded.Ok;
}

void SaveLedger(const Ledger& ledger, std::string& ledgerFileName, const std::string& dataFolder,
                std::chrono::local_seconds now, FileSystem& files, User& user)
{
    const auto target = ChooseWriteTarget(ledger, ledgerFileName, dataFolder, LedgerFileExtension, files, user);
    if (!target) return;
    BackupOutcome backup;  // none is made of a new file
    const FileResult saved = target->Outcome == OverwriteOutcome::Replaced
                                 ? SaveLedgerKeepingBackup(files, dataFolder, ledgerFileName, ledger, now, backup)
                                 : SaveLedgerFile(files, target->Path, ledger);
    TellWriteOutcome(user, saved, std::string(SavedText) + ledgerFileName, SaveFailedText, target->Path);
    if (saved) TellBackupOutcome(user, backup);
}

void ExportText(const Ledger& ledger, std::string& ledgerFileName, const std::string& dataFolder,
                bool american, FileSystem& files, User& user)
{
    const auto target = ChooseWriteTarget(ledger, ledgerFileName, dataFolder, TextExportExtension, files, user);
    if (!target) return;
    const std::string document = TextExportContents(ledger, american);
    const FileResult written = ReplaceFileContents(files, target->Path, document);
    TellWriteOutcome(user, written, TextExportedText, TextExportFailedText, target->Path);
}

void ExportRtf(const Ledger& ledger, std::string& ledgerFileName, const std::string& dataFolder,
               bool american, FileSystem& files, User& user)
{
    const auto target = ChooseWriteTarget(ledger, ledgerFileName, dataFolder, RtfExportExtension, files, user);
    if (!target) return;
    const std::string document = RtfExportContents(ledger, american, target->Outcome == OverwriteOutcome::Replaced);
    const FileResult written = ReplaceFileContents(files, target->Path, document);
    TellWriteOutcome(user, written, RtfExportedText, RtfExportFailedText, target->Path);
}

}  // namespace cofrelo
