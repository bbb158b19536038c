#include "TestFiles.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

// Paths in the program are UTF-8, on Windows too.
fs::path PathOf(const std::string& utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const fs::path& path)
{
    const std::u8string utf8 = path.u8string();
    return {utf8.begin(), utf8.end()};
}

#ifdef _WIN32
// The extended-length form reaches folders beyond MAX_PATH, where the standard
// library's listing does not.
std::vector<std::string> NamesIn(const std::string& folder)
{
    std::wstring pattern = LR"(\\?\)" + PathOf(folder).make_preferred().wstring() + L"*";
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(Utf8Of(fs::path(name)));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}
#else
std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(PathOf(folder))) names.push_back(Utf8Of(entry.path().filename()));
    return names;
}
#endif

}  // namespace

ScratchFolder::ScratchFolder()
{
    static std::atomic<int> counter{0};
    const fs::path folder = fs::temp_directory_path() / ("cofrelo-test-" + std::to_string(std::random_device()()) +
                                                         "-" + std::to_string(++counter));
    fs::create_directories(folder);
    path_ = Utf8Of(folder) + static_cast<char>(fs::path::preferred_separator);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    // Without exceptions: a destructor must not throw, and paths beyond MAX_PATH
    // may not be walked everywhere. Read-only files are made writable, for
    // Windows removes none.
    fs::recursive_directory_iterator entry(PathOf(path_), ignored);
    for (; !ignored && entry != fs::recursive_directory_iterator(); entry.increment(ignored))
        fs::permissions(entry->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    fs::remove_all(PathOf(path_), ignored);
}

std::string ListingOf(const std::string& folder)
{
    std::vector<std::string> names = NamesIn(folder);
    std::sort(names.begin(), names.end());
    std::string listing;
    for (const auto& name : names) listing += (listing.empty() ? "" : " ") + name;
    return listing;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(PathOf(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(PathOf(path), std::ios::binary) << bytes;
}

void MakeReadOnly(const std::string& path)
{
    fs::permissions(PathOf(path), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

void MakeFolder(const std::string& path)
{
    fs::create_directories(PathOf(path));
}
