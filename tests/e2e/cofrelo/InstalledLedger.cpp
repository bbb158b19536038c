// Saves a ledger with an installed Cofrelo, or reads it back: the install and
// uninstall tests (tests/install) check with it that updating or removing the
// program leaves the user's ledgers alone. Exits with 0 when all went well.
// Usage: installed_ledger save|read Cofrelo.exe
#include "tests/e2e/cofrelo/CofreloSession.h"

#include <iostream>

using namespace cofrelo;

namespace {

constexpr wchar_t LedgerName[] = L"Ahorros", Description[] = L"Nomina de noviembre";

// Saves one movement, or reads the ledger back and finds it in the list.
bool SavedOrReadBack(bool save)
{
    Session session(e2e::Application::InPlace{});
    if (save) session.Insert(SavingOptionId, Description, L"1850");
    session.ChooseWithName(save ? SaveCommand : ReadCommand, LedgerName);
    if (save) session.AnswerMessage();
    const std::vector<Row> rows = session.Rows();
    const bool done = session.EndedWithoutMessage() && rows.size() == 1 && rows[0][1].starts_with(Description) &&
                      !e2e::FileBytes(session.PathOf(std::wstring(LedgerName) + L".log")).empty();
    return session.Exit() == 0 && done;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    e2e::ProgramUnderTest = e2e::WindowsPathOf(argv[argc - 1]);
    try {
        const bool done = argc == 3 && SavedOrReadBack(argv[1] == std::wstring_view(L"save"));  // else "read"
        std::wcout << L"installed_ledger: " << (done ? L"ok" : L"FAILED") << L'\n';
        return done ? 0 : 1;
    } catch (const e2e::DriverError& error) {
        std::cerr << "installed_ledger: " << error.what() << '\n';
        return 1;
    }
}
