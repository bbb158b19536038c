// The backups "Grabar" keeps of the ledgers it replaces, as a user meets them:
// the folder "Copias" beside the ledger, and "Leer" reading one back by name.
#include "tests/e2e/cofrelo/CofreloSession.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace cofrelo;

namespace {

// Six saves under one name over a ledger from before, a movement more each
// time: the five versions replaced last stand in "Copias", byte for byte, their
// names sorting in the order of the saves; "Leer" reads the oldest back by its
// typed name.
TEST(Backups, KeepTheFiveVersionsReplacedLastAndReadBackByName)
{
    Session session;
    e2e::WriteFileBytes(session.PathOf(L"ahorros.log"), SavingRecord);
    std::vector<std::string> versions;
    for (int save = 1; save <= 6; ++save) {
        const std::wstring description = L"Paga " + std::to_wstring(save);
        const std::string day = Ansi(session.Insert(SavingOptionId, description, L"100"));
        versions.push_back((save == 1 ? "" : versions.back()) +
                           Record(day, Ansi(description), "+100", std::to_string(100 * save), 0));
        session.ChooseWithName(SaveCommand, L"ahorros");
        EXPECT_EQ(session.AnswerMessage(IDYES), L"El fichero Existe\r\nSobreEscribir ? ...");
        EXPECT_EQ(session.AnswerMessage(), L"Ahorros Grabados con el nombre : \r\nahorros");
        EXPECT_TRUE(session.EndedWithoutMessage()) << "save " << save;
    }
    EXPECT_EQ(e2e::FileBytes(session.PathOf(L"ahorros.log")), versions[5]);
    std::set<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(session.PathOf(L"Copias")))
        names.insert(entry.path().filename().wstring());
    std::wstring listing;
    for (const std::wstring& name : names) listing += name + L"\n";
    RecordProperty("Copias", e2e::Utf8(listing));
    ASSERT_EQ(names.size(), 5u) << e2e::Utf8(listing);
    for (auto version = versions.begin(); const std::wstring& name : names)
        EXPECT_EQ(e2e::FileBytes(session.PathOf(L"Copias\\" + name)), *version++) << e2e::Utf8(name);
    session.Choose(NewCommand);
    session.ChooseWithName(ReadCommand, L"Copias\\" + names.begin()->substr(0, names.begin()->size() - 4));
    EXPECT_TRUE(session.EndedWithoutMessage());
    EXPECT_EQ(session.Rows(), RowsOf(versions[0], false));
}

}  // namespace
