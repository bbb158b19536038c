#include "settings/Settings.h"

#include "files/SafeWrite.h"

#include <algorithm>

namespace {

constexpr std::size_t FolderOffset = 24;
constexpr std::size_t FolderFieldSize = SettingsRecordSize - FolderOffset;

Colour ReadColour(const SettingsRecord& record, std::size_t offset)
{
    Colour colour = 0;
    for (std::size_t i = 0; i < 4; ++i) colour |= Colour{static_cast<unsigned char>(record[offset + i])} << (8 * i);
    return colour;
}

void WriteColour(SettingsRecord& record, std::size_t offset, Colour colour)
{
    for (std::size_t i = 0; i < 4; ++i) record[offset + i] = static_cast<char>((colour >> (8 * i)) & 0xFF);
}

// The record's fields in file order, with their place in Settings.
constexpr Colour Settings::*RecordColours[] = {
    &Settings::ExpenseTextColor, &Settings::SavingTextColor, &Settings::CommentTextColor,
    &Settings::ExpenseBackColor, &Settings::SavingBackColor, &Settings::CommentBackColor,
};

void ApplyRecord(const SettingsRecord& record, Settings& settings)
{
    for (std::size_t i = 0; i < std::size(RecordColours); ++i) settings.*RecordColours[i] = ReadColour(record, 4 * i);
    const auto folder = record.begin() + FolderOffset;
    const auto end = std::find(folder, record.end(), '\0');
    settings.DataFolder.assign(folder, end);
    if (settings.DataFolder.size() > FolderCapacity) settings.DataFolder.resize(FolderCapacity);
}

// Fills the colours and the folder with its NUL; the bytes after it are kept.
void FillRecord(SettingsRecord& record, const Settings& settings)
{
    for (std::size_t i = 0; i < std::size(RecordColours); ++i) WriteColour(record, 4 * i, settings.*RecordColours[i]);
    const std::size_t length = std::min(settings.DataFolder.size(), FolderCapacity);
    std::copy_n(settings.DataFolder.begin(), length, record.begin() + FolderOffset);
    record[FolderOffset + length] = '\0';
}

}  // namespace

static_assert(FolderFieldSize == FolderCapacity + 1);

std::string ProgramFolderFromModulePath(std::string_view modulePath)
{
    modulePath = modulePath.substr(0, FolderCapacity);
    const std::size_t lastBackslash = modulePath.rfind('\\');
    if (lastBackslash == std::string_view::npos) return {};
    return std::string(modulePath.substr(0, lastBackslash + 1));
}

std::string AsDataFolder(std::string_view folder)
{
    std::string result(folder.substr(0, FolderCapacity));
    if (result.empty() || result.back() != '\\') result += '\\';
    if (result.size() > FolderCapacity) result.resize(FolderCapacity);
    return result;
}

Settings DefaultSettings(const std::string& programFolder)
{
    Settings settings;
    settings.DataFolder = programFolder;
    return settings;
}

ConfigurationFile::ConfigurationFile(FileSystem& files, const std::string& programFolder)
    : files_(files), path_(programFolder + std::string(SettingsFileName))
{
}

FileResult ConfigurationFile::LoadSettings(Settings& settings)
{
    std::unique_ptr<FileReader> reader;
    FileResult result = files_.OpenForReading(path_, reader);
    if (!result) return result;
    const std::uint64_t records = reader->Size() / SettingsRecordSize;
    if (records == 0) return result;

    // Each record overwrites every value of the one before: only the last counts.
    SettingsRecord last{};
    result = reader->ReadAt((records - 1) * SettingsRecordSize, last);
    if (!result) return result;
    record_ = last;
    ApplyRecord(record_, settings);
    return result;
}

FileResult ConfigurationFile::SaveSettings(const Settings& settings)
{
    FillRecord(record_, settings);
    return ReplaceFileContents(files_, path_, record_);
}

std::optional<RowColours> RowColoursFor(std::int32_t kind, const Settings& settings)
{
    switch (kind) {
    case 0: return RowColours{settings.SavingTextColor, settings.SavingBackColor};
    case 1: return RowColours{settings.ExpenseTextColor, settings.ExpenseBackColor};
    case 2: return RowColours{settings.CommentTextColor, settings.CommentBackColor};
    default: return std::nullopt;
    }
}

void SaveConfiguration(Settings& settings, const Settings& chosen, ConfigurationFile& file, UserDialogue& user)
{
    settings = chosen;
    const FileResult saved = file.SaveSettings(settings);
    if (!saved) user.Tell(FailureText("Configuracion NO Grabada en el fichero : ", file.Path(), saved.Reason));
}
