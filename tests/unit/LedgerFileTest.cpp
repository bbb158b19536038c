#include "files/LedgerFile.h"
#include "MovementRecords.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>

namespace {

const std::string Saving = Record("05/12/2026", "Nomina", "+1250.5", "1250.5", 0);
const std::string Expense = Record("06/12/2026", "Cena", "-30", "1220.5", 1);
const std::string Comment = Record("07/12/2026", "Nota", "*", "*", 2);

std::string Repeated(const std::string& record, int times)
{
    std::string bytes;
    bytes.reserve(record.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i) bytes += record;
    return bytes;
}

void ExpectSameLedger(const Ledger& actual, const Ledger& expected, const std::string& what)
{
    EXPECT_EQ(actual.Count, expected.Count) << what;
    EXPECT_EQ(actual.CurrentBalance, expected.CurrentBalance) << what;
    EXPECT_EQ(LedgerBytes(actual), LedgerBytes(expected)) << what;
}

std::string Times(std::size_t count, const std::string& character)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += character;
    return text;
}

// 127 characters, whatever their length in UTF-8 bytes, and never part of one.
TEST(LedgerFileNameFromTyped, KeepsTheFirst127Characters)
{
    const std::string polish = "\u0141";      // 2 bytes
    const std::string fullWidth = "\uFF3C";   // 3 bytes
    const std::string outsideBmp = "\U0001F4B0";  // 4 bytes, a surrogate pair in UTF-16
    const std::pair<std::string, std::string> cases[] = {
        {"Enero", "Enero"},
        {Times(127, "a"), Times(127, "a")},
        {Times(128, "a"), Times(127, "a")},
        {Times(127, polish), Times(127, polish)},
        {Times(130, polish), Times(127, polish)},
        {Times(126, "a") + fullWidth + "b", Times(126, "a") + fullWidth},
        {Times(126, "a") + outsideBmp, Times(126, "a") + outsideBmp},
        {Times(127, "a") + outsideBmp, Times(127, "a")},
        {Times(200, outsideBmp), Times(127, outsideBmp)},
    };
    for (const auto& [typed, kept] : cases) EXPECT_EQ(LedgerFileNameFromTyped(typed), kept) << typed;
}

TEST(SaveLedgerFile, WritesTheExampleRecordsByteForByte)
{
    ScratchFolder folder;
    Ledger ledger;
    AppendNewLine(ledger, MovementKind::Saving, "05/12/2026", "Nomina", "1250.5");
    AppendNewLine(ledger, MovementKind::Comment, "05/12/2026", "Nota", "");
    ASSERT_TRUE(SaveLedgerFile(SystemFileSystem(), folder / "Enero.log", ledger));

    const std::string expected = "05/12/2026" + std::string(4, ' ') + "Nomina" + std::string(94, ' ') + "+1250.5" +
                                 std::string(15, ' ') + "1250.5" + std::string(16, ' ') + std::string(4, '\0') +
                                 "05/12/2026" + std::string(4, ' ') + "Nota" + std::string(96, ' ') + "*" +
                                 std::string(21, ' ') + "*" + std::string(21, ' ') + std::string("\2\0\0\0", 4);
    EXPECT_EQ(ReadBytes(folder / "Enero.log"), expected);
}

struct LoadCase {
    const char* what;
    std::string file;
    std::int32_t count;
    std::optional<double> balance;  // none where the bytes give no meaningful one
};

std::string Garbage(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 151 + 7) % 256);
    return bytes;
}

TEST(LoadLedgerFile, TakesWholeRecordsAsTheyStandAndTheLastStoredBalance)
{
    const LoadCase cases[] = {
        {"an empty file", "", 0, 0},
        {"161 bytes", Saving.substr(0, 161), 0, 0},
        {"one record", Saving, 1, 1250.5},
        {"163 bytes", Saving + "x", 1, 1250.5},
        {"a record and 161 bytes", Saving + Expense.substr(0, 161), 1, 1250.5},
        {"a comment as last record", Saving + Expense + Comment, 3, 1220.5},
        {"only comments", Comment + Comment, 2, 0},
        {"a balance that disagrees with the amount", Record("1/1/2025", "x", "+5", "100", 0), 1, 100},
        {"a comment by its balance whatever its kind", Saving + Record("", "", "+1", "*", 0), 2, 1250.5},
        {"a kind of comment with a balance", Saving + Record("", "", "*", "7", 2), 2, 7},
        {"NUL bytes in the text fields",
         Record(std::string("1\0/1", 4), std::string("a\0b", 3), std::string("+3\0", 3), std::string("75\0\0", 4), 0),
         1, 75},
        {"kinds outside 0 to 2", Record("", "", "+1", "1", 7) + Record("", "", "+1", "2", -1), 2, 2},
        {"garbage", Garbage(3 * MovementSize + 50), 3, std::nullopt},
    };
    for (const auto& c : cases) {
        ScratchFolder folder;
        const std::string path = folder / "Enero.log";
        WriteBytes(path, c.file);
        Ledger ledger = LedgerOf(Expense + Expense + Expense + Expense);
        ASSERT_TRUE(LoadLedgerFile(SystemFileSystem(), path, ledger)) << c.what;
        EXPECT_EQ(ledger.Count, c.count) << c.what;
        EXPECT_EQ(LedgerBytes(ledger), c.file.substr(0, static_cast<std::size_t>(c.count) * MovementSize)) << c.what;
        if (c.balance) {
            EXPECT_EQ(ledger.CurrentBalance, *c.balance) << c.what;
        }
    }
}

TEST(LedgerFile, ReadsBackWhatWasSaved)
{
    Ledger typed;
    AppendNewLine(typed, MovementKind::Saving, "05/12/2026", "Nomina", "1250.5");
    AppendNewLine(typed, MovementKind::Expense, "06/12/2026", "Cena \xE9l\xE8ve", "30");
    AppendNewLine(typed, MovementKind::Comment, "07/12/2026", std::string(120, 'c'), "");
    AppendNewLine(typed, MovementKind::Saving, "08/12/2026 12:00:00", "x", "0.1");
    AppendNewLine(typed, MovementKind::Saving, "09/12/2026", "y", "0.2");
    const Ledger garbage = LedgerOf(Garbage(4 * MovementSize));

    for (const Ledger* saved : std::initializer_list<const Ledger*>{&typed, &garbage}) {
        ScratchFolder folder;
        const std::string path = folder / "Enero.log";
        ASSERT_TRUE(SaveLedgerFile(SystemFileSystem(), path, *saved));
        // The bytes a record-by-record append would give.
        EXPECT_EQ(ReadBytes(path), LedgerBytes(*saved));

        Ledger loaded = LedgerOf(Comment);
        ASSERT_TRUE(LoadLedgerFile(SystemFileSystem(), path, loaded));
        ExpectSameLedger(loaded, *saved, "round trip");
    }
}

TEST(LoadLedgerFile, RefusesMoreRecordsThanTheTableHasSlots)
{
    struct Case {
        int records;
        bool loads;
    };
    const Case cases[] = {{36500, true}, {36501, true}, {36502, false}};
    static_assert(LedgerSlots == 36501);
    for (const auto& c : cases) {
        ScratchFolder folder;
        const std::string path = folder / "Enero.log";
        WriteBytes(path, Repeated(Saving, c.records - 1) + Expense);
        Ledger ledger = LedgerOf(Comment + Saving);
        const Ledger before = LedgerOf(Comment + Saving);

        const FileResult result = LoadLedgerFile(SystemFileSystem(), path, ledger);
        ASSERT_EQ(result.Ok, c.loads) << c.records;
        if (c.loads) {
            EXPECT_EQ(ledger.Count, c.records);
            EXPECT_EQ(FieldText(ledger.Movements[c.records - 1].Description), Field("Cena", 100));
            EXPECT_EQ(ledger.CurrentBalance, 1220.5);
            ASSERT_TRUE(SaveLedgerFile(SystemFileSystem(), folder / "Copia.log", ledger));
            EXPECT_EQ(ReadBytes(folder / "Copia.log"), ReadBytes(path));
        } else {
            EXPECT_EQ(result.Reason, "Tiene mas de 36501 movimientos y no cabe en memoria ...");
            ExpectSameLedger(ledger, before, "refused");
        }
    }
}

// Opens the file but fails half way through reading it, as a failing disk does.
class UnreadableFiles final : public FileSystem {
public:
    static constexpr const char* Reason = "read failure";

    bool Exists(const std::string&) override { return true; }
    FileResult OpenForReading(const std::string&, std::unique_ptr<FileReader>& reader) override
    {
        reader = std::make_unique<FailingReader>();
        return FileResult::Success();
    }
    FileResult CreateNew(const std::string&, std::unique_ptr<FileWriter>&) override { return Unused(); }
    FileResult RefuseDevice(const std::string&) override { return Unused(); }
    FileResult ClearReadOnly(const std::string&, FileAttributes&) override { return Unused(); }
    FileResult RestoreAttributes(const std::string&, FileAttributes) override { return Unused(); }
    FileResult MoveReplacing(const std::string&, const std::string&) override { return Unused(); }
    FileResult Remove(const std::string&) override { return Unused(); }

private:
    class FailingReader final : public FileReader {
    public:
        std::uint64_t Size() const override { return 2 * MovementSize; }
        FileResult ReadAt(std::uint64_t, std::span<char> into) override
        {
            std::fill(into.begin(), into.begin() + MovementSize, 'x');  // the first record arrived
            return FileResult::Failure(Reason);
        }
    };
    static FileResult Unused()
    {
        ADD_FAILURE() << "loading writes nothing";
        return FileResult::Failure("unused");
    }
};

TEST(LoadLedgerFile, LeavesTheLedgerAsItWasWhenTheFileCannotBeRead)
{
    struct Case {
        const char* what;
        bool folderAtPath;
        bool failingRead;
    };
    const Case cases[] = {
        {"missing file", false, false},
        {"a folder", true, false},
        {"failing read", false, true},
    };
    for (const auto& c : cases) {
        ScratchFolder folder;
        const std::string path = folder / "Enero.log";
        if (c.folderAtPath) std::filesystem::create_directory(path);
        UnreadableFiles unreadable;
        FileSystem& files = c.failingRead ? static_cast<FileSystem&>(unreadable) : SystemFileSystem();

        Ledger ledger = LedgerOf(Saving + Comment);
        const FileResult result = LoadLedgerFile(files, path, ledger);
        EXPECT_FALSE(result) << c.what;
        EXPECT_FALSE(result.Reason.empty()) << c.what;
        ExpectSameLedger(ledger, LedgerOf(Saving + Comment), c.what);
    }
}

}  // namespace
