// Saves a ledger with an installed Cofrelo, or reads it back: the install and
// uninstall tests (tests/install) check with it that updating or removing the
// program leaves the user's ledgers alone. Exits with 0 when all went well.
// Usage: installed_ledger save|read Cofrelo.exe
#include "cofrelo/CofreloSession.h"

#include <iostream>
#include <string>

using namespace cofrelo;

namespace {

constexpr wchar_t LedgerName[] = L"Ahorros";
constexpr wchar_t Description[] = L"Nomina de noviembre";

bool Save()
{
    Session session(e2e::Application::InPlace{});
    session.Insert(SavingOptionId, Description, L"1850");
    session.ChooseWithName(SaveCommand, LedgerName);
    session.AnswerMessage();
    const bool saved = !e2e::FileBytes(session.PathOf(std::wstring(LedgerName) + L".log")).empty();
    return session.Exit() == 0 && saved;
}

bool ReadBack()
{
    Session session(e2e::Application::InPlace{});
    session.ChooseWithName(ReadCommand, LedgerName);
    const std::vector<Row> rows = session.Rows();
    const bool read = session.EndedWithoutMessage() && rows.size() == 1 && rows[0][1].starts_with(Description);
    return session.Exit() == 0 && read;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring mode = argc == 3 ? argv[1] : L"";
    if (mode != L"save" && mode != L"read") {
        std::wcerr << L"usage: installed_ledger save|read Cofrelo.exe\n";
        return 2;
    }
    e2e::ProgramUnderTest = e2e::WindowsPathOf(argv[2]);
    try {
        const bool done = mode == L"save" ? Save() : ReadBack();
        std::wcout << L"installed_ledger " << mode << L": " << (done ? L"ok" : L"FAILED") << L'\n';
        return done ? 0 : 1;
    } catch (const e2e::DriverError& error) {
        std::cerr << "installed_ledger: " << error.what() << '\n';
        return 1;
    }
}
