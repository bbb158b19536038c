#include "ledger/settings/ConfigurationFile.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

using namespace cofrelo;

namespace {

const std::string ProgramFolder = "C:\\Cofrelo\\";
const std::string FilePath = ProgramFolder + "Configurador.log";

Settings Sample(Color base, std::string folder)
{
    return {{{{base + 1, base + 2}, {base + 3, base + 4}, {base + 5, base + 0x00AABB00}}}, std::move(folder)};
}

// A folder as the configuration keeps it ends with a backslash, a drive's root
// has one already; the program's folder is its path up to the last backslash.
TEST(Folders, EndWithABackslash)
{
    const std::pair<std::string, std::string> browsed[] = {{"C:\\Datos", "C:\\Datos\\"}, {"C:\\", "C:\\"}, {"", "\\"}};
    for (const auto& [folder, kept] : browsed) EXPECT_EQ(AsDataFolder(folder), kept) << folder;
    const std::pair<std::string, std::string> modules[] = {{"C:\\A\\B\\x.exe", "C:\\A\\B\\"}, {"x.exe", ""}};
    for (const auto& [path, folder] : modules) EXPECT_EQ(ProgramFolderFromModulePath(path), folder) << path;
}

// The field keeps the ANSI form when it fits, else the part inside the
// program's folder after ".\"; anything else is refused, saying why, and
// nothing written. The code page of the native builds is Latin-1; under Wine
// it is Windows-1252. Both agree on every text here, and neither takes a
// letter that merely looks alike ("L" for "\u0141", "\\" for "\uFF3C").
TEST(SaveSettings, KeepsTheFolderInTheFieldOrRelativeToTheProgramOrTellsWhyNot)
{
    const std::string cyrillic = "C:\\\u041A\u043E\u043F\u0438\u043B\u043A\u0430\\", polish = "\u0141\u0105ka\\";
    const std::string longest = "D:\\" + std::string(250, 'x') + "\\";
    const std::string letters = "\r\ntiene letras que no caben en el juego de caracteres de Windows.";
    const std::string tooLong = "\r\nes demasiado larga: caben 254 caracteres como mucho.";
    const std::string unkept = "La carpeta elegida no se puede guardar en Configurador.log:\r\n";
    // The field, or the end of the refusal.
    const struct { const char* what; std::string program, folder, field, refused; } cases[] = {
        {"ANSI form", ProgramFolder, "D:\\A\u00F1os\\", "D:\\A\xF1os\\", ""},
        {"ANSI form of 254 bytes", ProgramFolder, longest, longest, ""},
        {"the program's folder, without ANSI form", cyrillic, cyrillic, ".\\", ""},
        {"inside a program's folder beyond 254 bytes", longest + "p\\", longest + "p\\Datos\\", ".\\Datos\\", ""},
        {"a full-width backslash", ProgramFolder, "C:\\a\uFF3Cb\\", "", letters},
        {"malformed UTF-8", ProgramFolder, "C:\\A\xC3\\", "", letters},
        {"ANSI form of 255 bytes", ProgramFolder, "D:\\" + std::string(251, 'x') + "\\", "", tooLong},
        {"inside the program's folder, no ANSI form", cyrillic, cyrillic + polish, "", letters},
        {"inside the program's folder, too long", cyrillic, cyrillic + std::string(260, 'x') + "\\", "", tooLong}};
    for (const auto& c : cases) {
        MemoryFileSystem files;
        ConfigurationFile file(files, c.program, SystemAnsiCodePage());
        const std::string refusal = c.refused.empty() ? "" : unkept + c.folder + c.refused;
        EXPECT_EQ(file.WhyNotKept(c.folder).value_or(""), refusal) << c.what;
        EXPECT_EQ(file.SaveSettings(Sample(0x100, c.folder)).Reason, refusal) << c.what;
        const FileMap saved = {{file.Path(), SettingsRecordBytes(Sample(0x100, c.field))}};
        EXPECT_EQ(files.Files(), c.refused.empty() ? saved : FileMap{}) << c.what;
        if (!c.refused.empty()) continue;
        Settings loaded = DefaultSettings(c.program);
        EXPECT_TRUE(ConfigurationFile(files, c.program, SystemAnsiCodePage()).LoadSettings(loaded)) << c.what;
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
        {"a failing read", firstRecord, true, false, before, '\0'},
        {"short of a record", firstRecord.substr(0, 278), false, true, before, '\0'},
        {"one record and 21 bytes", firstRecord + std::string(21, 'x'), false, true, first, '\0'},
        {"two records", firstRecord + SettingsRecordBytes(second, 'z'), false, true, second, 'z'},
        {"folder starting with NUL", SettingsRecordBytes(Sample(0x100, "")), false, true, Sample(0x100, ""), '\0'},
        {"folder without NUL", firstRecord.substr(0, 24) + std::string(255, 'f'), false, true,
         Sample(0x100, std::string(254, 'f')), 'f'}};
    for (const auto& c : cases) {
        MemoryFileSystem files(c.contents ? FileMap{{FilePath, *c.contents}} : FileMap{});
        if (c.broken) files.BreakReading();
        ConfigurationFile file(files, ProgramFolder, SystemAnsiCodePage());
        Settings settings = before;
        EXPECT_EQ(file.LoadSettings(settings).Ok, c.loads) << c.what;
        EXPECT_EQ(settings, c.expected) << c.what;
        if (c.broken) continue;
        ASSERT_TRUE(file.SaveSettings(second));
        EXPECT_EQ(*files.Find(FilePath), SettingsRecordBytes(second, c.rest)) << c.what;
    }
}

TEST(RowColorsFor, PaintsEachKindInItsOwnPairAndUnknownKindsInTheListsOwn)
{
    const Settings s = Sample(0x10, "");
    const std::pair<std::int32_t, std::optional<RowColors>> cases[] = {
        {0, RowColors{0x11, 0x12}}, {1, RowColors{0x13, 0x14}}, {2, RowColors{0x15, 0x00AABB10}}, {3, {}}, {-1, {}}};
    for (const auto& [kind, expected] : cases) EXPECT_EQ(RowColorsFor(kind, s), expected) << kind;
}

#ifndef _WIN32
// The native builds' code page, in which the configuration file's folder is
// kept: every byte is the code point of its number, C1 controls included.
TEST(Latin1CodePage, MapsEachByteToTheCodePointOfItsNumber)
{
    const std::pair<std::string, std::string> cases[] = {
        {"\x80", "\u0080"}, {"\x9F", "\u009F"}, {"\xA0\xFF", "\u00A0\u00FF"}, {"a\x7F", "a\x7F"}};
    for (const auto& [latin1, utf8] : cases) {
        EXPECT_EQ(SystemAnsiCodePage().ToUtf8(latin1), utf8);
        EXPECT_EQ(SystemAnsiCodePage().FromUtf8(utf8), latin1);
    }
    for (const char* beyond : {"\u0100", "\xC3", "\xC3" "A", "\x80", "\xE2\x82\xAC"})
        EXPECT_EQ(SystemAnsiCodePage().FromUtf8(beyond), std::nullopt) << beyond;
}
#endif

}  // namespace
