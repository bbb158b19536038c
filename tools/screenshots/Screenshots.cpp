// Takes the README's screenshots as BMP files: every window of both programs,
// with rows of each kind in the ledger's list, worked through the end-to-end
// driver. Not a test; scripts/screenshots runs it and turns the files into PNGs.
// Usage: screenshots Cofrelo.exe Ratiolo.exe OUTPUT_FOLDER [NAME_SUFFIX]
// NAME_SUFFIX goes before ".bmp" (pictures at another DPI: "-144dpi").
#include "tests/e2e/cofrelo/CofreloSession.h"
#include "calculator/RatioloIds.h"

#include <fstream>
#include <iostream>
#include <utility>

namespace {

std::wstring OutputFolder;
std::wstring NameSuffix;

// A bottom-up 24-bit BMP, rows padded to four bytes.
std::string Bmp(const e2e::ScreenImage& image)
{
    const auto rowSize = static_cast<DWORD>(image.Width * 3 + 3) & ~3u;
    BITMAPINFOHEADER info{sizeof info, image.Width, image.Height, 1, 24, BI_RGB, rowSize * image.Height, 0, 0, 0, 0};
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof info;
    const BITMAPFILEHEADER header{0x4D42, offset + info.biSizeImage, 0, 0, offset};  // "BM"
    std::string file(reinterpret_cast<const char*>(&header), sizeof header);
    file.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (int y = image.Height - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width; ++x)
            for (int shift : {16, 8, 0}) file += static_cast<char>(image.At(x, y) >> shift & 0xFF);
        file.resize(file.size() + rowSize - static_cast<DWORD>(image.Width) * 3, '\0');
    }
    return file;
}

// The visible part of the window, painted: a maximized window's frame lies
// beyond the screen's edges.
void Save(HWND window, const wchar_t* name)
{
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const RECT whole = e2e::ScreenRect(window);
    RECT visible{};
    IntersectRect(&visible, &whole, &screen);
    // What a window paints reaches the screen a little later: two captures
    // apart must agree.
    e2e::ScreenImage image = e2e::CapturePainted(window, visible);
    for (int capture = 0; capture < 100; ++capture) {
        Sleep(50);
        if (std::exchange(image, e2e::CapturePainted(window, visible)).Pixels == image.Pixels) break;
    }
    e2e::WriteFileBytes(OutputFolder + name + NameSuffix + L".bmp", Bmp(image));
}

void CofreloWindows()
{
    using namespace cofrelo;
    Session session;
    session.Insert(SavingOptionId, L"Nomina de noviembre", L"1850");
    session.Insert(ExpenseOptionId, L"Alquiler", L"650");
    session.Insert(CommentOptionId, L"Revisar el seguro del coche en enero", L"");
    session.Insert(SavingOptionId, L"Intereses de la cuenta", L"12.37");
    session.Insert(ExpenseOptionId, L"Regalos de Navidad", L"240.5");
    Save(session.Main, L"cofrelo-main");

    const HWND insert = session.OpenInsertDialog(ExpenseOptionId, L"Libros", L"35.90");
    Save(insert, L"cofrelo-insert");
    e2e::CloseWith(insert, InsertCancelButtonId);

    const HWND fileName = session.Open(SaveCommand, FileNameDialogTitle);
    e2e::TypeText(e2e::Control(fileName, NameBoxId), L"Ahorros 2026");
    Save(fileName, L"cofrelo-filename");
    e2e::Click(e2e::Control(fileName, NameAcceptButtonId));
    const HWND saved = session.WaitForModal(MessageTitle);
    Save(saved, L"cofrelo-saved");
    e2e::CloseWith(saved, IDOK);

    const HWND config = session.Open(ConfigurationCommand, ConfigDialogTitle);
    Save(config, L"cofrelo-config");
    e2e::CloseWith(config, ConfigCancelButtonId);

    session.Choose(AmericanFormatCommand);
    Save(session.Main, L"cofrelo-american");
    session.Exit();
}

void RatioloWindow()
{
    using namespace ratiolo;
    e2e::Application app;
    const HWND window = app.WaitForWindow(CalculatorTitle);
    e2e::TypeText(e2e::Control(window, GrossBoxId), L"200");
    e2e::TypeText(e2e::Control(window, PercentageBoxId), L"15");
    e2e::Click(e2e::Control(window, CalculateButtonId));
    Save(window, L"ratiolo");
    e2e::Click(e2e::Control(window, ExitButtonId));
    app.WaitForExit();
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4 && argc != 5) {
        std::wcerr << L"usage: screenshots Cofrelo.exe Ratiolo.exe OUTPUT_FOLDER [NAME_SUFFIX]\n";
        return 2;
    }
    OutputFolder = e2e::WindowsPathOf(argv[3]) + L"\\";
    if (argc == 5) NameSuffix = argv[4];
    try {
        e2e::ProgramUnderTest = e2e::WindowsPathOf(argv[1]);
        CofreloWindows();
        e2e::ProgramUnderTest = e2e::WindowsPathOf(argv[2]);
        RatioloWindow();
    } catch (const e2e::DriverError& error) {
        std::cerr << "screenshots: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
