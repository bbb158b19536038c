// The dialog kit's templates and the platform layer's module path, as the
// system itself reads them.
#include "common/platform/ModulePath.h"
#include "common/platform/TextConversions.h"
#include "common/win32/DialogTemplate.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::wstring LibraryToLoad;  // from the command line

INT_PTR CALLBACK NothingDone(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Windows reads back the caption, the font, and each control's class, text,
// id and place in dialog units, whatever the lengths of the strings before it:
// item templates must be DWORD-aligned, strings WORD-aligned.
TEST(DialogTemplate, IsReadByWindowsAsBuilt)
{
    common::DialogTemplate dialog(L"Odd", WS_POPUP | WS_CAPTION | DS_SETFONT, WS_EX_TOPMOST, {70, 70, 200, 100});
    dialog.AddLabel(1001, L"A", {5, 6, 40, 10});
    dialog.AddButton(1002, L"Bien", {50, 30, 45, 15});
    const HWND window = CreateDialogIndirectParamW(nullptr, dialog.Get(), nullptr, NothingDone, 0);
    ASSERT_TRUE(window);
    EXPECT_EQ(common::WindowTextOf(window), L"Odd");
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(std::wstring(font.lfFaceName) + L" " + std::to_wstring(font.lfWeight), L"MS Sans Serif 700");
    const struct { int id; const wchar_t *className, *text; RECT place; } controls[] = {
        {1001, L"Static", L"A", {5, 6, 45, 16}}, {1002, L"Button", L"Bien", {50, 30, 95, 45}}};
    for (const auto& c : controls) {
        const HWND control = GetDlgItem(window, c.id);
        wchar_t className[32] = {};
        GetClassNameW(control, className, 32);
        EXPECT_EQ(_wcsicmp(className, c.className), 0) << c.id;
        EXPECT_EQ(common::WindowTextOf(control), c.text);
        RECT expected = c.place, actual{};
        MapDialogRect(window, &expected);
        GetWindowRect(control, &actual);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_TRUE(EqualRect(&expected, &actual)) << c.id;
    }
    DestroyWindow(window);
}

// The buffer grows until the whole path fits, far beyond MAX_PATH (which Wine
// does not enforce, so the test's own steps take the long path as it is).
TEST(ModulePath, IsTheWholePathBeyondMaxPath)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("cofrelo-" + std::to_string(GetCurrentProcessId())) /
                                         std::wstring(200, L'a') / std::wstring(100, L'\u00F1');
    std::filesystem::create_directories(folder);
    const std::wstring copy = (folder / L"biblioteca.dll").wstring();
    ASSERT_TRUE(CopyFileW(LibraryToLoad.c_str(), copy.c_str(), FALSE));
    const HMODULE library = LoadLibraryW(copy.c_str());
    ASSERT_TRUE(library);
    const std::string path = common::ModulePath(library);
    EXPECT_GT(path.size(), static_cast<std::size_t>(MAX_PATH));
    EXPECT_TRUE(path.ends_with(common::Utf8FromWide(std::wstring(100, L'\u00F1') + L"\\biblioteca.dll"))) << path;
    FreeLibrary(library);
    // The standard library does not walk folders beyond MAX_PATH: each is removed by its whole path.
    DeleteFileW(copy.c_str());
    for (std::filesystem::path gone = folder; gone != folder.parent_path().parent_path().parent_path();
         gone = gone.parent_path())
        RemoveDirectoryW(gone.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // The build gives a host path; under Wine its root is drive Z:.
    LibraryToLoad = argv[argc - 1];
    if (LibraryToLoad.starts_with(L'/')) LibraryToLoad.insert(0, L"Z:");
    return RUN_ALL_TESTS();
}
