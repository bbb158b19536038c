// How long Cofrelo takes as a user sees it, worked from outside through the
// end-to-end driver: start-up until the main window is shown and idle, "Leer"
// of a full ledger until every row is in the list, "Formato Americano" of it
// until every row is rebuilt, and "Grabar" and both exports of it from the
// menu until their message appears. Medians of several runs; run by hand,
// under Wine here:
//   scripts/with-wine tests/wine/run-under-wine BUILD/bench/CofreloTimings.exe BUILD/ledger/Cofrelo.exe
#include "bench/BenchTiming.h"
#include "tests/support/Records.h"

#include "tests/e2e/cofrelo/CofreloSession.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>

using namespace cofrelo;

namespace {

constexpr int Runs = 5;
// Far above what a full ledger takes, for a machine busy with other work.
constexpr e2e::Timeout FullLedgerTimeout{120000};
constexpr wchar_t FullLedgerName[] = L"lleno";

using Clock = std::chrono::steady_clock;

using Step = std::function<void(int run)>;

// Each run: prepare, work and finish; only work is timed. The median of the runs.
double MedianOfTimedParts(const Step& prepare, const Step& work, const Step& finish)
{
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        prepare(run);
        const auto start = Clock::now();
        work(run);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        finish(run);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::string FullLedgerFile()
{
    return std::string(LedgerBytes(FullLedger()));
}

// The list has every row of a full ledger and the window has painted it. The
// count is asked with a long bound: the program answers only once it is done.
void WaitUntilFullListShown(const Session& session)
{
    e2e::WaitFor(
        [&] {
            const HWND list = e2e::Control(session.Main, LedgerListId);
            return e2e::SendBounded(list, LVM_GETITEMCOUNT, 0, 0, FullLedgerTimeout) == LedgerCapacity;
        },
        "every row of the full ledger in the list", FullLedgerTimeout);
    e2e::WaitUntilIdle(session.Main, FullLedgerTimeout);
}

const Step Nothing = [](int) {};

// From the start of the process (the executable is copied into a fresh folder
// just before) until the main window is shown and idle.
double StartUp()
{
    std::optional<Session> session;
    return MedianOfTimedParts(
        Nothing, [&](int) { session.emplace(); },
        [&](int) {
            session->Exit();
            session.reset();
        });
}

// The name dialog is filled in before the clock starts; the click on "Aceptar" starts it.
HWND FileNameDialogFilledIn(const Session& session, int command, const std::wstring& name)
{
    const HWND dialog = session.Open(command, FileNameDialogTitle);
    e2e::TypeText(e2e::Control(dialog, NameBoxId), name);
    return e2e::Control(dialog, NameAcceptButtonId);
}

double ReadFullLedger(const Session& session)
{
    HWND accept = nullptr;
    return MedianOfTimedParts(
        [&](int) {
            session.Choose(NewCommand);
            accept = FileNameDialogFilledIn(session, ReadCommand, FullLedgerName);
        },
        [&](int) {
            e2e::Click(accept);
            WaitUntilFullListShown(session);
        },
        Nothing);
}

double ToggleFormatOfFullLedger(const Session& session)
{
    // Posted as the menu posts it, and awaited with the full ledger's bound
    // rather than that of an ordinary command.
    return MedianOfTimedParts(
        Nothing,
        [&](int) {
            PostMessageW(session.Main, WM_COMMAND, AmericanFormatCommand, 0);
            WaitUntilFullListShown(session);
        },
        [&](int run) {
            // The first toggle turns the American format on: its grouping is a
            // comma. The last row is a comment, the one before it has a balance.
            const std::wstring balance = e2e::ListCell(e2e::Control(session.Main, LedgerListId), LedgerCapacity - 2, 3);
            if ((balance.find(L',') != std::wstring::npos) != (run % 2 == 0))
                throw e2e::DriverError("the last row was not rebuilt: " + e2e::Utf8(balance));
        });
}

// A new name every run, so that no run stops at the question before replacing.
double WriteFullLedger(const Session& session, int command, const wchar_t* name)
{
    HWND accept = nullptr;
    return MedianOfTimedParts(
        [&](int run) { accept = FileNameDialogFilledIn(session, command, name + std::to_wstring(run)); },
        [&](int) {
            e2e::Click(accept);
            session.App.WaitForWindow(MessageTitle, FullLedgerTimeout);
        },
        [&](int) {
            const std::wstring text = session.AnswerMessage();
            if (text.find(L" NO ") != std::wstring::npos) throw e2e::DriverError("failed: " + e2e::Utf8(text));
        });
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::wcerr << L"usage: CofreloTimings Cofrelo.exe\n";
        return 2;
    }
    e2e::ProgramUnderTest = e2e::WindowsPathOf(argv[1]);
    try {
        Report("Start-up until the main window is shown and idle", StartUp());

        Session session;
        e2e::WriteFileBytes(session.PathOf(std::wstring(FullLedgerName) + L".log"), FullLedgerFile());
        Report("Leer of 36500 movements until every row is shown", ReadFullLedger(session));
        Report("Formato Americano of 36500 movements until every row is rebuilt", ToggleFormatOfFullLedger(session));
        const struct {
            const char* what;
            int command;
            const wchar_t* name;
        } writes[] = {
            {"Grabar of 36500 movements until its message", SaveCommand, L"grabado"},
            {"Exportar a TXT of 36500 movements until its message", ExportTextCommand, L"texto"},
            {"Exportar a Tabla RTF of 36500 movements until its message", ExportRtfCommand, L"tabla"},
        };
        for (const auto& write : writes) Report(write.what, WriteFullLedger(session, write.command, write.name));
    } catch (const e2e::DriverError& error) {
        std::cerr << "failed: " << error.what() << std::endl;
        return 1;
    }
    return 0;
}
