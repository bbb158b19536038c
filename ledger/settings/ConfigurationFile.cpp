#include "ledger/settings/ConfigurationFile.h"

#include "common/LittleEndian.h"
#include "ledger/files/SafeWrite.h"

#include <algorithm>

namespace cofrelo {

namespace {

constexpr std::size_t FolderOffset = 24;
static_assert(SettingsRecordSize - FolderOffset == FolderCapacity + 1);

// The record keeps the text colors first, then the backgrounds, each in this order of kinds.
constexpr MovementKind RecordKindOrder[] = {MovementKind::Expense, MovementKind::Saving, MovementKind::Comment};
constexpr Color RowColors::*RecordColorParts[] = {&RowColors::Text, &RowColors::Back};

// Each color of the settings with its offset in the record.
template <class SettingsRef, class Visit>
void ForEachRecordColor(SettingsRef& settings, Visit visit)
{
    std::size_t offset = 0;
    for (const auto part : RecordColorParts)
        for (const MovementKind kind : RecordKindOrder) {
            visit(settings.ColorsOf(kind).*part, offset);
            offset += 4;
        }
}

// The marker of a folder field relative to the program's folder.
constexpr std::string_view ProgramFolderMark = ".\\";

// The folder field's bytes up to its NUL, at most 254 of them.
std::string_view FolderFieldOf(const SettingsRecord& record)
{
    const auto folder = record.begin() + FolderOffset;
    const auto end = std::find(folder, folder + FolderCapacity, '\0');
    return {folder, end};
}

// Fills the colors and the folder field with its NUL; the bytes after it are kept.
void FillRecord(SettingsRecord& record, const Settings& settings, std::string_view folderField)
{
    ForEachRecordColor(settings, [&](Color color, std::size_t offset) {
        common::StoreLittleEndian32(record.data() + offset, color);
    });
    std::copy(folderField.begin(), folderField.end(), record.begin() + FolderOffset);
    record[FolderOffset + folderField.size()] = '\0';
}

// Why the field cannot keep the folder: letters the code page cannot hold, or
// a path longer than the field.
std::string UnkeptFolderText(const std::string& folder, bool tooLong)
{
    return "La carpeta elegida no se puede guardar en Configurador.log:\r\n" + folder +
           (tooLong ? "\r\nes demasiado larga: caben 254 caracteres como mucho."
                    : "\r\ntiene letras que no caben en el juego de caracteres de Windows.");
}

}  // namespace

ConfigurationFile::ConfigurationFile(FileSystem& files, const std::string& programFolder,
                                     const AnsiCodePage& codePage)
    : files_(files), programFolder_(programFolder), codePage_(codePage),
      path_(programFolder + std::string(SettingsFileName))
{
}

std::array<std::optional<std::string>, 2> ConfigurationFile::FieldForms(const std::string& folder) const
{
    std::optional<std::string> relative;
    if (!programFolder_.empty() && folder.starts_with(programFolder_)) {
        relative = codePage_.FromUtf8(std::string_view(folder).substr(programFolder_.size()));
        if (relative) relative->insert(0, ProgramFolderMark);
    }
    return {codePage_.FromUtf8(folder), relative};
}

std::optional<std::string> ConfigurationFile::FolderField(const std::string& folder) const
{
    for (std::optional<std::string>& form : FieldForms(folder))
        if (form && form->size() <= FolderCapacity) return std::move(form);
    return std::nullopt;
}

std::string ConfigurationFile::FolderFromField(std::string_view field) const
{
    if (field.starts_with(ProgramFolderMark))
        return programFolder_ + codePage_.ToUtf8(field.substr(ProgramFolderMark.size()));
    return codePage_.ToUtf8(field);
}

std::optional<std::string> ConfigurationFile::WhyNotKept(const std::string& folder) const
{
    if (FolderField(folder)) return std::nullopt;
    const auto forms = FieldForms(folder);
    return UnkeptFolderText(folder, forms[0] || forms[1]);  // a form, but too long for the field
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
    ForEachRecordColor(settings, [&](Color& color, std::size_t offset) {
        color = common::LoadLittleEndian32(record_.data() + offset);
    });
    settings.DataFolder = FolderFromField(FolderFieldOf(record_));
    return result;
}

FileResult ConfigurationFile::SaveSettings(const Settings& settings)
{
    const std::optional<std::string> folderField = FolderField(settings.DataFolder);
    if (!folderField) return FileResult::Failure(*WhyNotKept(settings.DataFolder));
    FillRecord(record_, settings, *folderField);
    return ReplaceFileContents(files_, path_, record_);
}

void SaveConfiguration(Settings& settings, const Settings& chosen, ConfigurationFile& file, User& user)
{
    settings = chosen;
    const FileResult saved = file.SaveSettings(settings);
    if (!saved) user.Tell(FailureText("Configuracion NO Grabada en el fichero : ", file.Path(), saved.Reason));
}

}  // namespace cofrelo
