#include "settings/Settings.h"
#include "support/MemoryFileSystem.h"

#include <gtest/gtest.h>

namespace {

const std::string ProgramFolder = "C:\\Cofrelo\\";
const std::string FilePath = ProgramFolder + "Configurador.log";

std::string ColourBytes(Colour colour)
{
    std::string bytes(4, '\0');
    for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<char>((colour >> (8 * i)) & 0xFF);
    return bytes;
}

// A record as the configuration file holds it: text colours first; `rest` fills the folder field after the NUL.
std::string Record(const Settings& s, char rest = '\0')
{
    std::string record = ColourBytes(s.ExpenseTextColor) + ColourBytes(s.SavingTextColor) +
                         ColourBytes(s.CommentTextColor) + ColourBytes(s.ExpenseBackColor) +
                         ColourBytes(s.SavingBackColor) + ColourBytes(s.CommentBackColor) + s.DataFolder + '\0';
    record.resize(SettingsRecordSize, rest);
    return record;
}

Settings Sample(Colour base, std::string folder)
{
    return {base + 1, base + 2, base + 3, base + 4, base + 5, base + 0x00AABB00, std::move(folder)};
}

TEST(ProgramFolderFromModulePath, KeepsThePathUpToTheLastBackslash)
{
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Programs\\Ledger\\ledger.exe", "C:\\Programs\\Ledger\\"},
        {"C:\\ledger.exe", "C:\\"},
        {"\\\\server\\share\\Cofrelo.exe", "\\\\server\\share\\"},
        {"ledger.exe", ""},
        // A path beyond 254 characters is cut first, as by the 255-byte buffer.
        {"C:\\" + std::string(240, 'a') + "\\b\\" + std::string(20, 'c'), "C:\\" + std::string(240, 'a') + "\\b\\"},
        {"C:\\" + std::string(250, 'a') + "\\Cofrelo.exe", "C:\\" + std::string(250, 'a') + "\\"},
        {"C:\\" + std::string(251, 'a') + "\\Cofrelo.exe", "C:\\"},
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(ProgramFolderFromModulePath(path), folder) << path;
}

TEST(AsDataFolder, EndsWithABackslashWithinTheBuffer)
{
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Cuentas", "C:\\Cuentas\\"},
        {"C:\\", "C:\\"},
        {"", "\\"},
        {"\\\\server\\share", "\\\\server\\share\\"},
        {std::string(253, 'a'), std::string(253, 'a') + "\\"},
        {std::string(254, 'a'), std::string(254, 'a')},  // no room left for the backslash
        {std::string(300, 'a'), std::string(254, 'a')},
    };
    for (const auto& [browsed, expected] : cases) EXPECT_EQ(AsDataFolder(browsed), expected) << browsed;
}

TEST(DefaultSettings, AreWhiteOnRedBlueAndSilverInTheProgramsFolder)
{
    const Settings expected{0x00FFFFFF, 0x000000FF, 0x00FFFFFF, 0x00FF0000, 0x00FFFFFF, 0x00C0C0C0, ProgramFolder};
    EXPECT_EQ(DefaultSettings(ProgramFolder), expected);
}

TEST(LoadSettings, TakesTheLastWholeRecordAndSavingWritesOne)
{
    const Settings defaults = DefaultSettings(ProgramFolder);
    const Settings first = Sample(0x100, "C:\\Uno\\");
    const Settings second = Sample(0x200, "D:\\Dos\\");
    std::string withoutNul = Record(first);
    withoutNul.replace(24, 255, std::string(255, 'f'));
    const struct {
        const char* what;
        std::string contents;
        Settings expected;
    } cases[] = {
        {"empty file", "", defaults},
        {"short of a record", Record(first).substr(0, 278), defaults},
        {"one record", Record(first), first},
        {"one record and 21 bytes", Record(first) + std::string(21, 'x'), first},
        {"two records", Record(first) + Record(second), second},
        {"folder starting with NUL", Record(Sample(0x100, "")), Sample(0x100, "")},
        {"folder without NUL", withoutNul, Sample(0x100, std::string(254, 'f'))},
    };
    for (const auto& c : cases) {
        MemoryFileSystem files;
        files.Put(FilePath, c.contents);
        ConfigurationFile file(files, ProgramFolder);
        EXPECT_EQ(file.Path(), FilePath);
        Settings settings = defaults;
        EXPECT_TRUE(file.LoadSettings(settings)) << c.what;
        EXPECT_EQ(settings, c.expected) << c.what;
        ASSERT_TRUE(file.SaveSettings(second));
        EXPECT_EQ(files.Find(FilePath)->size(), SettingsRecordSize) << c.what;
        EXPECT_EQ(files.Find(FilePath)->substr(0, 32), Record(second).substr(0, 32)) << c.what;
    }
}

// Like the program always has, a new record keeps the bytes after the folder's
// NUL from the last record read.
TEST(SaveSettings, KeepsTheBytesAfterTheFolderFromTheLastRecord)
{
    MemoryFileSystem files;
    ConfigurationFile file(files, ProgramFolder);
    ASSERT_TRUE(file.SaveSettings(Sample(1, "D:\\")));
    EXPECT_EQ(*files.Find(FilePath), Record(Sample(1, "D:\\")));

    const std::string old = Record(Sample(1, "C:\\a long folder name\\"), 'z');
    files.Put(FilePath, old);
    Settings settings = DefaultSettings("");
    ASSERT_TRUE(file.LoadSettings(settings));
    settings.DataFolder = "C:\\";
    ASSERT_TRUE(file.SaveSettings(settings));
    EXPECT_EQ(*files.Find(FilePath), old.substr(0, 24) + std::string("C:\\\0", 4) + old.substr(28));
}

TEST(LoadSettings, LeavesTheSettingsWhenTheFileCannotBeRead)
{
    MemoryFileSystem files;
    Settings settings = Sample(1, "D:\\");
    EXPECT_FALSE(ConfigurationFile(files, ProgramFolder).LoadSettings(settings));
    files.Put(FilePath, Record(Sample(2, "E:\\")));
    files.BreakReading();
    EXPECT_FALSE(ConfigurationFile(files, ProgramFolder).LoadSettings(settings));
    EXPECT_EQ(settings, Sample(1, "D:\\"));
}

TEST(RowColoursFor, PaintsEachKindInItsOwnPair)
{
    const Settings settings = Sample(0x10, "");
    const std::pair<std::int32_t, std::optional<std::pair<Colour, Colour>>> cases[] = {
        {0, std::pair{settings.SavingTextColor, settings.SavingBackColor}},
        {1, std::pair{settings.ExpenseTextColor, settings.ExpenseBackColor}},
        {2, std::pair{settings.CommentTextColor, settings.CommentBackColor}},
        {3, std::nullopt},
        {-1, std::nullopt},
    };
    for (const auto& [kind, expected] : cases) {
        const auto colours = RowColoursFor(kind, settings);
        EXPECT_EQ(colours ? std::optional(std::pair{colours->Text, colours->Back}) : std::nullopt, expected) << kind;
    }
}

}  // namespace
