// A library planted beside Ratiolo is not loaded: the program's first statement
// limits the search for the libraries the system loads by name to the system
// folder. The planted library (PlantedLibrary.cpp) takes the name of
// uxtheme.dll, which the system loads by name as the window opens.
#include "tests/e2e/driver/Driver.h"
#include "calculator/RatioloIds.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr const wchar_t* PlantedName = L"uxtheme.dll";

// The planted library as built, beside this test program.
std::wstring BuiltLibrary()
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return std::filesystem::path(self).replace_filename(L"PlantedLibrary.dll").wstring();
}

// Were the mark not left, the test below would pass for nothing.
TEST(PlantedLibrary, LeavesItsMarkWhenLoaded)
{
    const auto mark = BuiltLibrary() + L".loaded";
    std::filesystem::remove(mark);
    FreeLibrary(LoadLibraryW(BuiltLibrary().c_str()));
    EXPECT_TRUE(std::filesystem::remove(mark));
}

// Wine loads its own uxtheme.dll wherever a file of that name lies; told so for
// Ratiolo alone, it takes the first one found on the search path, as Windows does.
struct WineLoadsFoundUxthemeForRatiolo {
    static constexpr const wchar_t* AppKey = L"Software\\Wine\\AppDefaults\\Ratiolo.exe";
    WineLoadsFoundUxthemeForRatiolo()
    {
        RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(AppKey) + L"\\DllOverrides").c_str(), L"uxtheme", REG_SZ,
                        L"native,builtin", sizeof L"native,builtin");
    }
    ~WineLoadsFoundUxthemeForRatiolo() { RegDeleteTreeW(HKEY_CURRENT_USER, AppKey); }
};

TEST(PlantedLibrary, BesideRatioloIsNotLoaded)
{
    const WineLoadsFoundUxthemeForRatiolo nativeFirst;
    e2e::Application app({{PlantedName, e2e::FileBytes(BuiltLibrary())}});
    // Shown, not yet painted: a program that has taken the planted library may never paint.
    const HWND window = e2e::WaitFor([&] { return app.FindTopLevel(ratiolo::CalculatorTitle); }, "Ratiolo's window");
    ASSERT_FALSE(std::filesystem::exists(app.Folder() + PlantedName + L".loaded"))
        << "Ratiolo loaded the uxtheme.dll planted beside it";
    e2e::Press(window, e2e::CloseCommand);
    EXPECT_EQ(app.WaitForExit(), 0u);
}

}  // namespace
