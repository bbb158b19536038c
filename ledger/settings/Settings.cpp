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

// The marker of a folder field relative to the program's folder.
constexpr std::string_view ProgramFolderMark = ".\\";

void ApplyColours(const SettingsRecord& record, Settings& settings)
{
    for (std::size_t i = 0; i < std::size(RecordColours); ++i) settings.*RecordColours[i] = ReadColour(record, 4 * i);
}

// The folder field's bytes up to its NUL, at most 254 of them.
std::string_view FolderFieldOf(const SettingsRecord& record)
{
    const auto folder = record.begin() + FolderOffset;
    const auto end = std::find(folder, folder + FolderCapacity, '\0');
    return {folder, end};
}

// Fills the colours and the folder field with its NUL; the bytes after it are kept.
void FillRecord(SettingsRecord& record, const Settings& settings, std::string_view folderField)
{
    for (std::size_t i = 0; i < std::size(RecordColours); ++i) WriteColour(record, 4 * i, settings.*RecordColours[i]);
    std::copy(folderField.begin(), folderField.end(), record.begin() + FolderOffset);
    record[FolderOffset + folderField.size()] = '\0';
}

}  // namespace

static_assert(FolderFieldSize == FolderCapacity + 1);

std::string ProgramFolderFromModulePath(std::string_view modulePath)
{
    const std::size_t lastBackslash = modulePath.rfind('\\');
    if (lastBackslash == std::string_view::npos) return {};
    return std::string(modulePath.substr(0, lastBackslash + 1));
}

std::string AsDataFolder(std::string_view folder)
{
    std::string result(folder);
    if (result.empty() || result.back() != '\\') result += '\\';
    return result;
}

Settings DefaultSettings(const std::string& programFolder)
{
    Settings settings;
    settings.DataFolder = programFolder;
    return settings;
}

std::string UnkeptFolderText(const std::string& folder)
{
    return "La carpeta elegida no se puede guardar en Configurador.log:\r\n" + folder +
           "\r\ntiene letras que no caben en el juego de caracteres de Windows.";
}

ConfigurationFile::ConfigurationFile(FileSystem& files, const std::string& programFolder,
                                     const AnsiCodePage& codePage)
    : files_(files), programFolder_(programFolder), codePage_(codePage),
      path_(programFolder + std::string(SettingsFileName))
{
}

std::optional<std::string> ConfigurationFile::FolderField(const std::string& folder) const
{
    const auto fits = [](const std::optional<std::string>& field) { return field && field->size() <= FolderCapacity; };
    std::optional<std::string> field = codePage_.FromUtf8(folder);
    if (fits(field)) return field;
    if (programFolder_.empty() || !folder.starts_with(programFolder_)) return std::nullopt;
    field = codePage_.FromUtf8(std::string_view(folder).substr(programFolder_.size()));
    if (field) field->insert(0, ProgramFolderMark);
    if (fits(field)) return field;
    return std::nullopt;
}

std::string ConfigurationFile::FolderFromField(std::string_view field) const
{
    if (field.starts_with(ProgramFolderMark))
        return programFolder_ + codePage_.ToUtf8(field.substr(ProgramFolderMark.size()));
    return codePage_.ToUtf8(field);
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
    ApplyColours(record_, settings);
    settings.DataFolder = FolderFromField(FolderFieldOf(record_));
    return result;
}

FileResult ConfigurationFile::SaveSettings(const Settings& settings)
{
    const std::optional<std::string> folderField = FolderField(settings.DataFolder);
    if (!folderField) return FileResult::Failure(UnkeptFolderText(settings.DataFolder));
    FillRecord(record_, settings, *folderField);
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
