#include "ledger/files/Backups.h"

#include "ledger/files/LedgerFile.h"
#include "ledger/files/SafeWrite.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace cofrelo {

namespace {

using namespace std::chrono;

// A space and the time, "0" standing for a digit: fixed widths, so that names sort by time.
constexpr std::string_view TimeMask = " 0000-00-00 00.00.00";
// What a backup's typed name adds to the ledger's folder part besides the name part.
constexpr std::size_t BackupNameOverhead = BackupFolderName.size() + 1 + TimeMask.size();
// "~" and the 8 hex digits of the hash that end a shortened name part.
constexpr std::size_t HashMarkSize = 9;
// The seconds after the time of replacing that a backup's name may take when earlier ones are taken.
constexpr int BackupNameAttempts = 60;

constexpr std::string_view NameTooLongReason =
    "El nombre del fichero deja menos de 127 caracteres para el nombre de su copia.";
constexpr std::string_view NoFreeNameReason = "No queda ningun nombre libre para la copia.";

// What a typed name names a folder with: up to its last "\" or "/".
std::string_view FolderPart(std::string_view typed)
{
    const std::size_t end = typed.find_last_of("\\/");
    return end == std::string_view::npos ? std::string_view() : typed.substr(0, end + 1);
}

void AppendDigits(std::string& text, std::uint32_t value, std::size_t width, int base = 10)
{
    char digits[16];
    const char* const end = std::to_chars(std::begin(digits), std::end(digits), value, base).ptr;
    const auto count = static_cast<std::size_t>(end - digits);
    text.append(width > count ? width - count : 0, '0').append(digits, count);
}

// FNV-1a over the name's bytes.
std::string HashText(std::string_view name)
{
    std::uint32_t hash = 2166136261u;
    for (const char byte : name) hash = (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
    std::string text;
    AppendDigits(text, hash, 8, 16);
    return text;
}

std::string TimeText(local_seconds at)
{
    const local_days day = floor<days>(at);
    const year_month_day date{day};
    const hh_mm_ss time{at - day};
    std::string text = " ";
    AppendDigits(text, static_cast<std::uint32_t>(static_cast<int>(date.year())), 4);
    text += '-';
    AppendDigits(text, static_cast<unsigned>(date.month()), 2);
    text += '-';
    AppendDigits(text, static_cast<unsigned>(date.day()), 2);
    text += ' ';
    AppendDigits(text, static_cast<std::uint32_t>(time.hours().count()), 2);
    text += '.';
    AppendDigits(text, static_cast<std::uint32_t>(time.minutes().count()), 2);
    text += '.';
    AppendDigits(text, static_cast<std::uint32_t>(time.seconds().count()), 2);
    return text;
}

std::string TypedBackupName(std::string_view ledgerFileName, std::string_view namePart, local_seconds at)
{
    return std::string(FolderPart(ledgerFileName)) + std::string(BackupFolderName) + "\\" + std::string(namePart) +
           TimeText(at);
}

std::string BackupFileName(std::string_view namePart, local_seconds at)
{
    return std::string(namePart) + TimeText(at) + std::string(LedgerFileExtension);
}

bool IsBackupOf(std::string_view fileName, std::string_view namePart)
{
    if (fileName.size() != namePart.size() + TimeMask.size() + LedgerFileExtension.size() ||
        !fileName.starts_with(namePart) || !fileName.ends_with(LedgerFileExtension))
        return false;
    const std::string_view time = fileName.substr(namePart.size(), TimeMask.size());
    return std::equal(time.begin(), time.end(), TimeMask.begin(),
                      [](char c, char mask) { return mask == '0' ? c >= '0' && c <= '9' : c == mask; });
}

// Creates "Copias", lists it and names the backup: from the time of replacing
// on, the first second free whose name sorts after every backup of the ledger
// there, so that two saves within one second keep their order. Should the
// clock have gone back more than a minute, the first free one.
FileResult PrepareBackup(FileSystem& files, const std::string& folder, std::string_view namePart,
                         local_seconds replacedAt, std::vector<std::string>& names, std::string& name)
{
    if (FileResult created = files.CreateFolder(folder); !created) return created;
    if (FileResult listed = files.ListFiles(folder, names); !listed) return listed;
    std::string newest;
    for (const std::string& listed : names)
        if (IsBackupOf(listed, namePart)) newest = std::max(newest, listed);
    std::string firstFree;
    for (int attempt = 0; attempt < BackupNameAttempts; ++attempt) {
        std::string candidate = BackupFileName(namePart, replacedAt + seconds(attempt));
        if (files.Exists(folder + "\\" + candidate)) continue;  // found in another case, unlike in the listing
        if (candidate > newest) {
            name = std::move(candidate);
            return FileResult::Success();
        }
        if (firstFree.empty()) firstFree = std::move(candidate);
    }
    if (firstFree.empty()) return FileResult::Failure(std::string(NoFreeNameReason));
    name = std::move(firstFree);
    return FileResult::Success();
}

// Every removal is tried; the first failure is the one told.
void RemoveBackupsBeyondKept(FileSystem& files, const std::string& folder, std::string_view namePart,
                             std::vector<std::string> names, const std::string& made, BackupOutcome& backup)
{
    for (const std::string& name : BackupsBeyondKept(std::move(names), namePart, made)) {
        const std::string path = folder + "\\" + name;
        const FileResult removed = files.Remove(path);
        if (!removed && backup.What == BackupOutcome::Step::Kept)
            backup = {BackupOutcome::Step::NotPruned, path, removed.Reason};
    }
}

}  // namespace

std::optional<std::string> BackupNamePart(std::string_view ledgerFileName)
{
    const std::string_view folder = FolderPart(ledgerFileName);
    const std::string_view name = ledgerFileName.substr(folder.size());
    const std::size_t taken = CharacterCount(folder) + BackupNameOverhead;
    const std::size_t room = LedgerFileNameCapacity - std::min(taken, LedgerFileNameCapacity);
    if (CharacterCount(name) <= room) return std::string(name);
    if (room < HashMarkSize) return std::nullopt;
    return std::string(CutAtCharacters(name, room - HashMarkSize)) + "~" + HashText(name);
}

std::optional<std::string> BackupTypedName(std::string_view ledgerFileName, local_seconds at)
{
    const std::optional<std::string> namePart = BackupNamePart(ledgerFileName);
    if (!namePart) return std::nullopt;
    return TypedBackupName(ledgerFileName, *namePart, at);
}

std::vector<std::string> BackupsBeyondKept(std::vector<std::string> fileNames, std::string_view namePart,
                                           const std::string& made)
{
    std::erase_if(fileNames, [&](const std::string& name) { return name == made || !IsBackupOf(name, namePart); });
    std::sort(fileNames.begin(), fileNames.end());
    fileNames.resize(fileNames.size() - std::min(fileNames.size(), BackupsKept - 1));
    return fileNames;
}

FileResult SaveLedgerKeepingBackup(FileSystem& files, const std::string& dataFolder, std::string_view ledgerFileName,
                                   const Ledger& ledger, local_seconds replacedAt, BackupOutcome& backup)
{
    const std::string path = DocumentPath(dataFolder, ledgerFileName, LedgerFileExtension);
    const std::string folder = DocumentPath(dataFolder, FolderPart(ledgerFileName), BackupFolderName);
    const std::optional<std::string> namePart = BackupNamePart(ledgerFileName);
    std::vector<std::string> names;
    std::string name;
    FileResult kept = namePart ? PrepareBackup(files, folder, *namePart, replacedAt, names, name)
                               : FileResult::Failure(std::string(NameTooLongReason));
    backup = {BackupOutcome::Step::Kept, kept ? folder + "\\" + name : folder, ""};
    const FileResult saved = kept ? ReplaceFileContentsKeepingOld(files, path, ledger.RecordBytes(), backup.Path, kept)
                                  : ReplaceFileContents(files, path, ledger.RecordBytes());
    if (!saved) return saved;
    if (kept) {
        RemoveBackupsBeyondKept(files, folder, *namePart, std::move(names), name, backup);
    } else {
        backup = {BackupOutcome::Step::NotMade, backup.Path, kept.Reason};
    }
    return saved;
}

}  // namespace cofrelo
