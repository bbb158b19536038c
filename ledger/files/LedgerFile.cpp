#include "ledger/files/LedgerFile.h"

#include "ledger/files/SafeWrite.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <span>

namespace cofrelo {

namespace {

std::string TooManyRecordsReason()
{
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), LedgerSlots).ptr;
    return "Tiene mas de " + std::string(digits, end) + " movimientos y no cabe en memoria ...";
}

// Every byte but a UTF-8 continuation byte (10xxxxxx) starts a character.
bool StartsCharacter(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

}  // namespace

std::string LedgerFileNameFromTyped(std::string_view typed)
{
    return std::string(CutAtCharacters(typed, LedgerFileNameCapacity));
}

std::size_t CharacterCount(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), StartsCharacter));
}

std::string_view CutAtCharacters(std::string_view text, std::size_t characters)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (StartsCharacter(text[i]) && ++seen > characters) return text.substr(0, i);
    return text;
}

std::string DocumentPath(std::string_view dataFolder, std::string_view ledgerFileName, std::string_view extension)
{
    return std::string(dataFolder).append(ledgerFileName).append(extension);
}

FileResult LoadLedgerFile(FileSystem& files, const std::string& path, Ledger& ledger)
{
    std::unique_ptr<FileReader> reader;
    FileResult result = files.OpenForReading(path, reader);
    if (!result) return result;
    const std::uint64_t records = reader->Size() / MovementSize;
    if (records > static_cast<std::uint64_t>(LedgerSlots)) return FileResult::Failure(TooManyRecordsReason());

    // Read apart first, so that a failed read leaves the ledger as it was.
    const auto size = static_cast<std::size_t>(records) * MovementSize;
    const auto bytes = std::make_unique_for_overwrite<char[]>(size);
    result = reader->ReadAt(0, {bytes.get(), size});
    if (result) ledger.Load({bytes.get(), size});
    return result;
}

FileResult SaveLedgerFile(FileSystem& files, const std::string& path, const Ledger& ledger)
{
    return ReplaceFileContents(files, path, ledger.RecordBytes());
}

}  // namespace cofrelo
