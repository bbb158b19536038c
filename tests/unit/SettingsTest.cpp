#include "settings/Settings.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#ifdef _WIN32
#include "common/win32/AnsiText.h"
#endif

namespace {

std::string ColourBytes(Colour colour)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>((colour >> (8 * i)) & 0xFF);
    return bytes;
}

// A record as the configuration file holds it; `rest` fills the folder field after the NUL.
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
    Settings settings;
    settings.ExpenseTextColor = base + 1;
    settings.ExpenseBackColor = base + 2;
    settings.SavingTextColor = base + 3;
    settings.SavingBackColor = base + 4;
    settings.CommentTextColor = base + 5;
    settings.CommentBackColor = base + 0x00AABB00;
    settings.DataFolder = std::move(folder);
    return settings;
}

TEST(ProgramFolderFromModulePath, KeepsThePathUpToTheLastBackslash)
{
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Programs\\Ledger\\ledger.exe", "C:\\Programs\\Ledger\\"},
        {"C:\\ledger.exe", "C:\\"},
        {"\\\\server\\share\\Cofrelo.exe", "\\\\server\\share\\"},
        {"ledger.exe", ""},
        // Long paths are kept whole: a cut one would name another folder.
        {"C:\\" + std::string(240, 'a') + "\\b\\" + std::string(20, 'c'), "C:\\" + std::string(240, 'a') + "\\b\\"},
        {"C:\\" + std::string(251, 'a') + "\\Cofrelo.exe", "C:\\" + std::string(251, 'a') + "\\"},
        {"C:\\\u041A\u043E\u043F\u0438\u043B\u043A\u0430\\Cofrelo.exe", "C:\\\u041A\u043E\u043F\u0438\u043B\u043A\u0430\\"},
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(ProgramFolderFromModulePath(path), folder) << path;
}

TEST(AsDataFolder, EndsWithABackslash)
{
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Cuentas", "C:\\Cuentas\\"},
        {"C:\\", "C:\\"},
        {"\\\\server\\share", "\\\\server\\share\\"},
        {std::string(253, 'a'), std::string(253, 'a') + "\\"},
        {std::string(300, 'a'), std::string(300, 'a') + "\\"},
    };
    for (const auto& [browsed, expected] : cases) EXPECT_EQ(AsDataFolder(browsed), expected) << browsed;
}

TEST(DefaultSettings, AreWhiteOnRedBlueAndSilverInTheProgramsFolder)
{
    const Settings settings = DefaultSettings("C:\\Cofrelo\\");
    EXPECT_EQ(settings.ExpenseTextColor, 0x00FFFFFFu);
    EXPECT_EQ(settings.ExpenseBackColor, 0x000000FFu);
    EXPECT_EQ(settings.SavingTextColor, 0x00FFFFFFu);
    EXPECT_EQ(settings.SavingBackColor, 0x00FF0000u);
    EXPECT_EQ(settings.CommentTextColor, 0x00FFFFFFu);
    EXPECT_EQ(settings.CommentBackColor, 0x00C0C0C0u);
    EXPECT_EQ(settings.DataFolder, "C:\\Cofrelo\\");
}

TEST(SaveSettings, WritesOneRecordWithTextColoursFirst)
{
    ScratchFolder folder;
    ConfigurationFile file(SystemFileSystem(), folder.Path());
    EXPECT_EQ(file.Path(), folder / "Configurador.log");
    const Settings settings = Sample(0x00102000, "D:\\Cuentas\\");
    ASSERT_TRUE(file.SaveSettings(settings));
    EXPECT_EQ(ReadBytes(file.Path()), Record(settings));
    EXPECT_EQ(folder.Listing(), "Configurador.log");
}

TEST(SaveSettings, ReplacesAReadOnlyFileAndAFileOfSeveralRecords)
{
    ScratchFolder folder;
    ConfigurationFile file(SystemFileSystem(), folder.Path());
    WriteBytes(file.Path(), Record(Sample(1, "A\\")) + Record(Sample(2, "B\\")));
    MakeReadOnly(file.Path());
    const Settings settings = Sample(3, "C:\\");
    ASSERT_TRUE(file.SaveSettings(settings));
    EXPECT_EQ(ReadBytes(file.Path()).size(), SettingsRecordSize);
}

TEST(SaveSettings, KeepsTheBytesAfterTheFolderFromTheLastRecord)
{
    ScratchFolder folder;
    ConfigurationFile file(SystemFileSystem(), folder.Path());
    const std::string old = Record(Sample(1, "C:\\a long folder name\\"), 'z');
    WriteBytes(file.Path(), old);
    Settings settings = DefaultSettings("");
    ASSERT_TRUE(file.LoadSettings(settings));
    settings.DataFolder = "C:\\";
    ASSERT_TRUE(file.SaveSettings(settings));
    const std::string saved = ReadBytes(file.Path());
    EXPECT_EQ(saved.substr(24, 4), std::string("C:\\\0", 4));
    EXPECT_EQ(saved.substr(28), old.substr(28));
}

// The code page of the native builds is Latin-1; under Wine it is Windows-1252.
// Both agree on every text here.
TEST(AnsiCodePage, ConvertsExactlyOrNotAtAll)
{
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"C:\\Cuentas\\", "C:\\Cuentas\\"},
        {"A\u00F1os \u00E9t\u00E9", "A\xF1os \xE9t\xE9"},
        {"\u0141\u00F3d\u017A", std::nullopt},  // no "Lodz" or "L\xF3dz"
        {"ab\uFF3Cc", std::nullopt},               // no "ab\\c"
        {"\uFF11", std::nullopt},                  // no "1"
        {"\u041A\u043E\u043F", std::nullopt},
        {"A\xC3", std::nullopt},                   // malformed UTF-8
    };
    const AnsiCodePage& codePage = SystemAnsiCodePage();
    for (const auto& [utf8, ansi] : cases) {
        EXPECT_EQ(codePage.FromUtf8(utf8), ansi) << utf8;
        if (ansi) {
            EXPECT_EQ(codePage.ToUtf8(*ansi), utf8) << utf8;
        }
    }
#ifdef _WIN32
    // What the calculator reads: a look-alike digit must not become a digit.
    EXPECT_EQ(AnsiFromWide(L"\uFF11\uFF12,5"), "??,5");
#endif
}

struct FolderFieldCase {
    const char* what;
    std::string programName;  // the program's folder, inside a scratch folder
    bool insideProgram;       // folder is then relative to the program's folder
    std::string folder;
    std::optional<std::string> field;  // the folder field's bytes; none when refused
};

const std::string Cyrillic = "\u041A\u043E\u043F\u0438\u043B\u043A\u0430";
const std::string Polish = "\u0141\u0105ka";

// The field keeps the ANSI form when it fits, else the part inside the
// program's folder after ".\"; anything else is refused and nothing written.
TEST(SaveSettings, KeepsTheFolderInTheFieldOrRelativeToTheProgramOrRefusesIt)
{
    const std::string longest = "D:\\" + std::string(250, 'x') + "\\";
    const FolderFieldCase cases[] = {
        {"ANSI form", "Prog", false, "D:\\A\u00F1os\\", "D:\\A\xF1os\\"},
        {"ANSI form of 254 bytes", "Prog", false, longest, longest},
        {"the program's folder, without ANSI form", Cyrillic, true, "", ".\\"},
        {"inside the program's folder, without ANSI form", Cyrillic, true, "Datos\\", ".\\Datos\\"},
        {"inside a program's folder beyond 254 bytes", std::string(250, 'p'), true, "Datos\\", ".\\Datos\\"},
        {"no ANSI form", "Prog", false, "C:\\" + Polish + "\\", std::nullopt},
        {"ANSI form of 255 bytes", "Prog", false, "D:\\" + std::string(251, 'x') + "\\", std::nullopt},
        {"inside the program's folder, no ANSI form", Cyrillic, true, Polish + "\\", std::nullopt},
    };
    for (const auto& c : cases) {
        ScratchFolder scratch;
        const std::string program = scratch / c.programName + scratch.Path().back();
        MakeFolder(program);
        const std::string folder = c.insideProgram ? program + c.folder : c.folder;
        ConfigurationFile file(SystemFileSystem(), program);
        const Settings settings = Sample(0x100, folder);
        EXPECT_EQ(file.CanKeep(folder), c.field.has_value()) << c.what;
        const FileResult saved = file.SaveSettings(settings);
        if (!c.field) {
            EXPECT_FALSE(saved) << c.what;
            EXPECT_EQ(saved.Reason, UnkeptFolderText(folder)) << c.what;
            EXPECT_EQ(ScratchFolder::ListingOf(program), "") << c.what;
            continue;
        }
        ASSERT_TRUE(saved) << c.what << ": " << saved.Reason;
        EXPECT_EQ(ReadBytes(file.Path()), Record(Sample(0x100, *c.field))) << c.what;
        Settings loaded = DefaultSettings(program);
        EXPECT_TRUE(ConfigurationFile(SystemFileSystem(), program).LoadSettings(loaded)) << c.what;
        EXPECT_EQ(loaded, settings) << c.what;
    }
}

struct LoadCase {
    const char* name;
    std::string contents;
    Settings expected;
};

TEST(LoadSettings, TakesTheLastWholeRecord)
{
    const Settings defaults = DefaultSettings("C:\\Prog\\");
    const Settings first = Sample(0x100, "C:\\Uno\\");
    const Settings second = Sample(0x200, "D:\\Dos\\");
    Settings emptyFolder = first;
    emptyFolder.DataFolder.clear();
    Settings longFolder = first;
    longFolder.DataFolder = std::string(254, 'f');
    std::string withoutNul = Record(first);
    withoutNul.replace(24, 255, std::string(255, 'f'));

    const LoadCase cases[] = {
        {"empty file", "", defaults},
        {"short of a record", Record(first).substr(0, 278), defaults},
        {"one record", Record(first), first},
        {"one record and 21 bytes", Record(first) + std::string(21, 'x'), first},
        {"two records", Record(first) + Record(second), second},
        {"folder starting with NUL", Record(emptyFolder), emptyFolder},
        {"folder without NUL", withoutNul, longFolder},
    };
    for (const auto& c : cases) {
        ScratchFolder folder;
        ConfigurationFile file(SystemFileSystem(), folder.Path());
        WriteBytes(file.Path(), c.contents);
        Settings settings = defaults;
        EXPECT_TRUE(file.LoadSettings(settings)) << c.name;
        EXPECT_EQ(settings, c.expected) << c.name;
    }
}

TEST(LoadSettings, LeavesTheSettingsWhenTheFileCannotBeRead)
{
    ScratchFolder folder;
    const Settings defaults = DefaultSettings(folder.Path());
    Settings settings = defaults;
    ConfigurationFile missing(SystemFileSystem(), folder.Path());
    EXPECT_FALSE(missing.LoadSettings(settings));
    std::filesystem::create_directory(folder / "Configurador.log");
    ConfigurationFile folderInstead(SystemFileSystem(), folder.Path());
    EXPECT_FALSE(folderInstead.LoadSettings(settings));
    EXPECT_EQ(settings, defaults);
}

TEST(LoadSettings, SurvivesGarbage)
{
    std::mt19937 random(42);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<std::size_t> size(0, 3 * SettingsRecordSize);
    ScratchFolder folder;
    ConfigurationFile file(SystemFileSystem(), folder.Path());
    for (int i = 0; i < 200; ++i) {
        std::string garbage(size(random), '\0');
        for (char& c : garbage) c = static_cast<char>(byte(random));
        WriteBytes(file.Path(), garbage);
        Settings settings = DefaultSettings("");
        file.LoadSettings(settings);
        EXPECT_TRUE(file.CanKeep(settings.DataFolder));
        EXPECT_EQ(settings.DataFolder.find('\0'), std::string::npos);
    }
}

}  // namespace

namespace {

TEST(RowColoursFor, PaintsEachKindInItsOwnPair)
{
    const Settings settings = Sample(0x10, "");
    const struct {
        std::int32_t kind;
        std::optional<RowColours> expected;
    } cases[] = {
        {0, RowColours{settings.SavingTextColor, settings.SavingBackColor}},
        {1, RowColours{settings.ExpenseTextColor, settings.ExpenseBackColor}},
        {2, RowColours{settings.CommentTextColor, settings.CommentBackColor}},
        {3, std::nullopt},
        {-1, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto colours = RowColoursFor(c.kind, settings);
        ASSERT_EQ(colours.has_value(), c.expected.has_value()) << c.kind;
        if (colours) {
            EXPECT_EQ(colours->Text, c.expected->Text) << c.kind;
            EXPECT_EQ(colours->Back, c.expected->Back) << c.kind;
        }
    }
}

}  // namespace
