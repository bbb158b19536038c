// Takes the README's screenshots: every window of both programs, with rows of
// each kind in the ledger's list. Not a test; scripts/screenshots runs it.
// Usage: screenshots Cofrelo.exe Ratiolo.exe OUTPUT_FOLDER [NAME_SUFFIX]
// NAME_SUFFIX goes before ".png" (pictures at another DPI: "-144dpi").
#include "Application.h"
#include "Controls.h"
#include "Menu.h"
#include "Screen.h"
#include "Window.h"
#include "cofrelo/CofreloSession.h"

#include <iostream>

using namespace cofrelo;

namespace {

std::wstring OutputFolder;
std::wstring NameSuffix;

void Save(HWND window, std::wstring_view name)
{
    e2e::SaveScreenshot(window, OutputFolder + std::wstring(name) + NameSuffix + L".png");
}

void CofreloWindows()
{
    Session session;
    const wchar_t* const movements[][3] = {
        {L"Nomina de noviembre", L"1850", nullptr},
        {L"Alquiler", L"650", L"gasto"},
        {L"Revisar el seguro del coche en enero", L"", L"comentario"},
        {L"Intereses de la cuenta", L"12.37", nullptr},
        {L"Regalos de Navidad", L"240.5", L"gasto"},
    };
    for (const auto& movement : movements) {
        const Kind kind = !movement[2] ? Saving : movement[2][0] == L'g' ? Expense : Comment;
        session.Insert(kind, movement[0], movement[1]);
    }
    Save(session.Main, L"cofrelo-main");

    const HWND insert = session.OpenInsertDialog();
    session.FillInsertDialog(insert, Expense, L"Libros", L"35.90");
    Save(insert, L"cofrelo-insert");
    e2e::Click(e2e::Control(insert, CancelButtonId));
    e2e::WaitUntilGone(insert);

    session.Choose(SaveCommand);
    const HWND fileName = session.App.WaitForWindow(FileNameCaption);
    e2e::TypeText(e2e::Control(fileName, FileNameBoxId), L"Ahorros 2026");
    Save(fileName, L"cofrelo-filename");
    e2e::Click(e2e::Control(fileName, FileNameAcceptId));
    const HWND saved = session.App.WaitForMessageBox(MessageTitle);
    Save(saved, L"cofrelo-saved");
    e2e::PressMessageBoxButton(saved, IDOK);
    e2e::WaitUntilGone(saved);

    session.Choose(ConfigurationCommand);
    const HWND config = session.App.WaitForWindow(ConfigCaption);
    Save(config, L"cofrelo-config");
    e2e::Click(e2e::Control(config, 1022));
    e2e::WaitUntilGone(config);

    session.Choose(AmericanFormatCommand);
    Save(session.Main, L"cofrelo-american");
    session.Exit();
}

void RatioloWindow(const std::wstring& program)
{
    e2e::Application app(program);
    const HWND window = app.WaitForWindow(L"Porcentaje ....");
    e2e::TypeText(e2e::Control(window, 1002), L"200");
    e2e::TypeText(e2e::Control(window, 1004), L"15");
    e2e::Click(e2e::Control(window, 1007));
    Save(window, L"ratiolo");
    e2e::Click(e2e::Control(window, 1008));
    app.WaitForExit();
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4 && argc != 5) {
        std::wcerr << L"usage: screenshots Cofrelo.exe Ratiolo.exe OUTPUT_FOLDER [NAME_SUFFIX]\n";
        return 2;
    }
    if (argc == 5) NameSuffix = argv[4];
    ProgramPath = e2e::WindowsPathOf(argv[1]);
    OutputFolder = e2e::WindowsPathOf(argv[3]) + L"\\";
    try {
        CofreloWindows();
        RatioloWindow(e2e::WindowsPathOf(argv[2]));
    } catch (const e2e::DriverError& error) {
        std::cerr << "screenshots: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
