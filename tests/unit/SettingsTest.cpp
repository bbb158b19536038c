#include "settings/Settings.h"
#include "support/MemoryFileSystem.h"
#include "support/Records.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "common/win32/AnsiText.h"
#endif

namespace {

const std::string ProgramFolder = "C:\\Cofrelo\\";
const std::string FilePath = ProgramFolder + "Configurador.log";

Settings Sample(Colour base, std::string folder)
{
    return {base + 1, base + 2, base + 3, base + 4, base + 5, base + 0x00AABB00, std::move(folder)};
}

TEST(ProgramFolderFromModulePath, KeepsThePathUpToTheLastBackslash)
{
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Programs\\Ledger\\ledger.exe", "C:\\Programs\\Ledger\\"}, {"C:\\ledger.exe", "C:\\"},
        {"\\\\server\\share\\Cofrelo.exe", "\\\\server\\share\\"}, {"ledger.exe", ""},
        // Long paths are kept whole: a cut one would name another folder.
        {"C:\\" + std::string(251, 'a') + "\\Cofrelo.exe", "C:\\" + std::string(251, 'a') + "\\"},
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(ProgramFolderFromModulePath(path), folder) << path;
}

TEST(AsDataFolder, EndsWithABackslash)
{
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Cuentas", "C:\\Cuentas\\"}, {"C:\\", "C:\\"}, {"", "\\"},
        {std::string(300, 'a'), std::string(300, 'a') + "\\"},
    };
    for (const auto& [browsed, expected] : cases) EXPECT_EQ(AsDataFolder(browsed), expected) << browsed;
}

TEST(DefaultSettings, AreWhiteOnRedBlueAndSilverInTheProgramsFolder)
{
    const Settings expected{0x00FFFFFF, 0x000000FF, 0x00FFFFFF, 0x00FF0000, 0x00FFFFFF, 0x00C0C0C0, ProgramFolder};
    EXPECT_EQ(DefaultSettings(ProgramFolder), expected);
}

#ifdef _WIN32
// What the calculator reads: a look-alike digit must not become a digit.
TEST(AnsiFromWide, TurnsNoLookAlikeIntoADigit)
{
    EXPECT_EQ(AnsiFromWide(L"\uFF11\uFF12,5"), "??,5");
}
#endif

// The field keeps the ANSI form when it fits, else the part inside the
// program's folder after ".\"; anything else is refused and nothing written.
// The code page of the native builds is Latin-1; under Wine it is
// Windows-1252. Both agree on every text here, and neither takes a letter
// that merely looks alike ("L" for "\u0141", "\\" for "\uFF3C").
TEST(SaveSettings, KeepsTheFolderInTheFieldOrRelativeToTheProgramOrRefusesIt)
{
    const std::string cyrillic = "C:\\\u041A\u043E\u043F\u0438\u043B\u043A\u0430\\";
    const std::string polish = "\u0141\u0105ka\\";
    const std::string longest = "D:\\" + std::string(250, 'x') + "\\";
    // The field is none when the folder is refused.
    const struct { const char* what; std::string program, folder; std::optional<std::string> field; } cases[] = {
        {"ANSI form", ProgramFolder, "D:\\A\u00F1os\\", "D:\\A\xF1os\\"},
        {"ANSI form of 254 bytes", ProgramFolder, longest, longest},
        {"the program's folder, without ANSI form", cyrillic, cyrillic, ".\\"},
        {"inside the program's folder, without ANSI form", cyrillic, cyrillic + "Datos\\", ".\\Datos\\"},
        {"inside a program's folder beyond 254 bytes", longest + "p\\", longest + "p\\Datos\\", ".\\Datos\\"},
        {"no ANSI form", ProgramFolder, "C:\\" + polish, std::nullopt},
        {"a full-width backslash", ProgramFolder, "C:\\a\uFF3Cb\\", std::nullopt},
        {"malformed UTF-8", ProgramFolder, "C:\\A\xC3\\", std::nullopt},
        {"ANSI form of 255 bytes", ProgramFolder, "D:\\" + std::string(251, 'x') + "\\", std::nullopt},
        {"inside the program's folder, no ANSI form", cyrillic, cyrillic + polish, std::nullopt},
    };
    for (const auto& c : cases) {
        MemoryFileSystem files;
        ConfigurationFile file(files, c.program);
        EXPECT_EQ(file.CanKeep(c.folder), c.field.has_value()) << c.what;
        const FileResult saved = file.SaveSettings(Sample(0x100, c.folder));
        EXPECT_EQ(saved.Ok, c.field.has_value()) << c.what;
        EXPECT_EQ(saved.Reason, c.field ? "" : UnkeptFolderText(c.folder)) << c.what;
        EXPECT_EQ(files.Listing(), c.field ? file.Path() : "") << c.what;
        if (!c.field) continue;
        EXPECT_EQ(*files.Find(file.Path()), SettingsRecordBytes(Sample(0x100, *c.field))) << c.what;
        Settings loaded = DefaultSettings(c.program);
        EXPECT_TRUE(ConfigurationFile(files, c.program).LoadSettings(loaded)) << c.what;
        EXPECT_EQ(loaded, Sample(0x100, c.folder)) << c.what;
    }
}

// Loads the file over other settings, then saves new ones: the new record
// keeps, like the program always has, the bytes after the folder's NUL from
// the last record read.
TEST(LoadSettings, TakesTheLastWholeRecordAndSavingWritesOne)
{
    const Settings before = Sample(0x300, "E:\\");
    const Settings first = Sample(0x100, "C:\\Uno\\");
    const Settings second = Sample(0x200, "D:\\Dos\\");
    const std::string firstRecord = SettingsRecordBytes(first);
    // No contents: no file. `rest`: the bytes after the folder's NUL in the record saved.
    const struct { const char* what; std::optional<std::string> contents; bool broken, loads; Settings expected;
                   char rest; } cases[] = {
        {"no file", std::nullopt, false, false, before, '\0'},
        {"a failing read", firstRecord, true, false, before, '\0'}, {"empty file", "", false, true, before, '\0'},
        {"short of a record", firstRecord.substr(0, 278), false, true, before, '\0'},
        {"one record", firstRecord, false, true, first, '\0'},
        {"one record and 21 bytes", firstRecord + std::string(21, 'x'), false, true, first, '\0'},
        {"two records", firstRecord + SettingsRecordBytes(second, 'z'), false, true, second, 'z'},
        {"folder starting with NUL", SettingsRecordBytes(Sample(0x100, "")), false, true, Sample(0x100, ""), '\0'},
        {"folder without NUL", firstRecord.substr(0, 24) + std::string(255, 'f'), false, true,
         Sample(0x100, std::string(254, 'f')), 'f'},
    };
    for (const auto& c : cases) {
        MemoryFileSystem files;
        if (c.contents) files.Put(FilePath, *c.contents);
        if (c.broken) files.BreakReading();
        ConfigurationFile file(files, ProgramFolder);
        Settings settings = before;
        EXPECT_EQ(file.LoadSettings(settings).Ok, c.loads) << c.what;
        EXPECT_EQ(settings, c.expected) << c.what;
        if (c.broken) continue;
        ASSERT_TRUE(file.SaveSettings(second));
        EXPECT_EQ(*files.Find(FilePath), SettingsRecordBytes(second, c.rest)) << c.what;
    }
}

TEST(RowColoursFor, PaintsEachKindInItsOwnPair)
{
    const Settings s = Sample(0x10, "");
    const std::pair<std::int32_t, std::optional<std::pair<Colour, Colour>>> cases[] = {
        {0, std::pair{s.SavingTextColor, s.SavingBackColor}}, {1, std::pair{s.ExpenseTextColor, s.ExpenseBackColor}},
        {2, std::pair{s.CommentTextColor, s.CommentBackColor}}, {3, std::nullopt}, {-1, std::nullopt},
    };
    for (const auto& [kind, expected] : cases) {
        const auto colours = RowColoursFor(kind, s);
        EXPECT_EQ(colours ? std::optional(std::pair{colours->Text, colours->Back}) : std::nullopt, expected) << kind;
    }
}

}  // namespace
