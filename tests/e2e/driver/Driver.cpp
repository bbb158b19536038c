#include "tests/e2e/driver/Driver.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <span>

namespace e2e {

using namespace common;

namespace {

// Room for the longest cell text the programs' lists hold.
constexpr std::size_t TextCapacity = 1024;

DWORD ProcessOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

BOOL CALLBACK NoteChildAwaitingPaint(HWND child, LPARAM awaits)
{
    *reinterpret_cast<bool*>(awaits) = IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE);
    return !*reinterpret_cast<bool*>(awaits);
}

// Memory inside a list view's program, for the list's messages, whose
// pointers the system does not carry across.
class ProgramMemory {
public:
    explicit ProgramMemory(HWND list) : list_(list), process_(OpenProcess(Access, FALSE, ProcessOf(list))) {}
    ~ProgramMemory() { VirtualFreeEx(process_.Get(), remote_, 0, MEM_RELEASE); }

    // Sends the message with lParam pointing at a copy of the block inside the
    // program, and copies the block back once it is answered.
    template <class Block>
    LRESULT Send(UINT message, WPARAM wParam, Block& block) const
    {
        if (!WriteProcessMemory(process_.Get(), remote_, &block, sizeof block, nullptr))
            throw DriverError("cannot write into the program of a list");
        const LRESULT result = SendBounded(list_, message, wParam, reinterpret_cast<LPARAM>(remote_));
        ReadProcessMemory(process_.Get(), remote_, &block, sizeof block, nullptr);
        return result;
    }

    // The text that the message writes where the record's pszText points.
    template <class Record>
    std::wstring AskForText(UINT message, int index, Record record) const
    {
        struct { Record record; wchar_t text[TextCapacity]; } block{record, {}};
        static_assert(sizeof block <= 4096);
        block.record.pszText = reinterpret_cast<wchar_t*>(remote_ + offsetof(decltype(block), text));
        block.record.cchTextMax = static_cast<int>(TextCapacity);
        Send(message, static_cast<WPARAM>(index), block);
        return block.text;
    }

private:
    static constexpr DWORD Access = PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE;
    static constexpr DWORD Allocation = MEM_COMMIT | MEM_RESERVE;
    HWND list_;
    KernelHandle process_;
    char* remote_ = static_cast<char*>(VirtualAllocEx(process_.Get(), nullptr, 4096, Allocation, PAGE_READWRITE));
};

// The process started with the command line, in the folder (none: this one's).
KernelHandle Start(std::wstring commandLine, const wchar_t* folder)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &started))
        throw DriverError("could not start " + Utf8(commandLine));
    const KernelHandle thread(started.hThread);  // not needed, closed at once
    return KernelHandle(started.hProcess);
}

// The exit code of the process once it has ended; one that does not end in
// time is ended, and DriverError thrown naming it.
DWORD ExitCodeOnceEnded(HANDLE process, Timeout timeout, const std::string& what)
{
    if (WaitForSingleObject(process, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        TerminateProcess(process, 1);
        throw DriverError(what + " did not end in time");
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process, &exitCode);
    return exitCode;
}

// A list in report view has a header with a column each.
int ColumnCount(HWND list)
{
    const auto header = reinterpret_cast<HWND>(SendBounded(list, LVM_GETHEADER, 0, 0));
    return static_cast<int>(SendBounded(header, HDM_GETITEMCOUNT, 0, 0));
}

// The control that has the keyboard focus in the window's thread.
HWND FocusedControl(HWND window)
{
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    return thread.hwndFocus;
}

}  // namespace

std::wstring ProgramUnderTest;

std::string FileBytes(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw DriverError("could not write " + Utf8(path));
}

std::wstring WindowsPathOf(std::wstring_view hostPath)
{
    std::wstring path = (hostPath.starts_with(L'/') ? L"Z:" : L"") + std::wstring(hostPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

Application::Application(const std::vector<ExtraFile>& extraFiles, std::wstring_view subfolder)
{
    static int counter = 0;
    const auto name = std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount64() + ++counter);
    scratch_ = (std::filesystem::temp_directory_path() / (L"e2e-" + name)).wstring() + L"\\";
    folder_ = scratch_ + (subfolder.empty() ? L"" : std::wstring(subfolder) + L"\\");
    std::filesystem::create_directories(folder_);
    const std::wstring executable = folder_ + ProgramUnderTest.substr(ProgramUnderTest.find_last_of(L"\\/") + 1);
    if (!CopyFileW(ProgramUnderTest.c_str(), executable.c_str(), FALSE))
        throw DriverError("could not copy " + Utf8(ProgramUnderTest));
    for (const auto& [file, bytes] : extraFiles) WriteFileBytes(folder_ + file, bytes);
    process_ = Start(L"\"" + executable + L"\"", folder_.c_str());
}

Application::Application(InPlace)
    : folder_(ProgramUnderTest.substr(0, ProgramUnderTest.find_last_of(L"\\/") + 1)),
      process_(Start(L"\"" + ProgramUnderTest + L"\"", folder_.c_str()))
{
}

Application::~Application()
{
    TerminateProcess(process_.Get(), 1);  // fails, harmlessly, once the program has ended
    WaitForSingleObject(process_.Get(), static_cast<DWORD>(ReplyTimeout.count()));  // before its folder goes
    std::error_code ignored;
    if (!scratch_.empty()) std::filesystem::remove_all(scratch_, ignored);
}

DWORD Application::WaitForExit(Timeout timeout)
{
    return ExitCodeOnceEnded(process_.Get(), timeout, "the program");
}

HWND Application::FindTopLevel(std::wstring_view caption) const
{
    // FindWindowEx compares the caption as stored, without a message to a possibly hung window.
    const std::wstring wanted(caption);
    for (HWND window = FindWindowExW(nullptr, nullptr, nullptr, wanted.c_str()); window;
         window = FindWindowExW(nullptr, window, nullptr, wanted.c_str()))
        if (ProcessOf(window) == ProcessId() && IsWindowVisible(window)) return window;
    return nullptr;
}

HWND Application::WaitForWindow(std::wstring_view caption, Timeout timeout) const
{
    const HWND shown = WaitFor([&] { return FindTopLevel(caption); }, "a window captioned " + Utf8(caption), timeout);
    WaitUntilIdle(shown);
    return shown;
}

LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Timeout timeout)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, static_cast<UINT>(timeout.count()),
                             &answer))
        throw DriverError("a window did not answer message " + std::to_string(message) + " in time");
    return static_cast<LRESULT>(answer);
}

void WaitUntilIdle(HWND window, Timeout timeout)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    WaitFor(
        [&] {
            bool awaits = IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE);
            if (!awaits) EnumChildWindows(window, NoteChildAwaitingPaint, reinterpret_cast<LPARAM>(&awaits));
            return !IsWindowVisible(window) || !awaits;
        },
        "a window to handle its queue and repaint", timeout);
}

HWND Control(HWND parent, int id)
{
    HWND control = GetDlgItem(parent, id);
    if (!control) throw DriverError("no control with id " + std::to_string(id));
    return control;
}

std::wstring Text(HWND window)
{
    std::wstring text(static_cast<std::size_t>(SendBounded(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(SendBounded(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    return text;
}

void PostAndWaitUntilTaken(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND root = GetAncestor(target, GA_ROOT);  // before the message may close it
    PostMessageW(target, message, wParam, lParam);
    WaitUntilIdle(root);
}

void TypeText(HWND edit, std::wstring_view text)
{
    SendBounded(edit, EM_SETSEL, 0, -1);
    if (SendBounded(edit, WM_GETTEXTLENGTH, 0, 0) > 0) SendBounded(edit, WM_CHAR, VK_BACK, 1);
    for (wchar_t c : text) SendBounded(edit, WM_CHAR, c, 1);
}

void Focus(HWND control)
{
    PostAndWaitUntilTaken(GetAncestor(control, GA_ROOT), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    if (FocusedControl(control) != control) throw DriverError("could not give a control the focus (is it disabled?)");
}

HWND FocusAfterReactivation(HWND window, HWND meanwhile)
{
    PostAndWaitUntilTaken(window, WM_NCACTIVATE, FALSE, 0);
    Focus(meanwhile);
    PostAndWaitUntilTaken(window, WM_NCACTIVATE, TRUE, 0);
    return FocusedControl(window);
}

DWORD RunToEnd(std::wstring commandLine)
{
    return ExitCodeOnceEnded(Start(commandLine, nullptr).Get(), DefaultTimeout, Utf8(commandLine));
}

void Press(HWND target, const Keystroke& keystroke)
{
    const HWND root = GetAncestor(target, GA_ROOT);  // before the key may close it
    if (!keystroke.Key) return PostAndWaitUntilTaken(root, WM_SYSCOMMAND, SC_CLOSE, 0);
    // Repeat count 1, the scan code and the Alt flag; a release adds the previous-state and transition bits.
    const bool alt = keystroke.AltHeld;
    const LPARAM data = 1 | static_cast<LPARAM>(MapVirtualKeyW(keystroke.Key, MAPVK_VK_TO_VSC)) << 16 |
                        (alt ? static_cast<LPARAM>(KF_ALTDOWN) << 16 : 0);
    PostMessageW(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, keystroke.Key, data);
    PostMessageW(target, alt ? WM_SYSKEYUP : WM_KEYUP, keystroke.Key, data | static_cast<LPARAM>(0xC0000000));
    WaitUntilIdle(root);
}

ScreenImage CapturePainted(HWND window, const RECT& area)
{
    WaitUntilIdle(window);
    ScreenImage image{area.right - area.left, area.bottom - area.top, {}};
    // A top-down 32-bit DIB: one DWORD 0x00RRGGBB per pixel.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), image.Width, -image.Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    COLORREF* bits = nullptr;
    const ScreenDc screen;
    const BitmapHandle bitmap(
        CreateDIBSection(screen, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0));
    const MemoryDcHandle memory(CreateCompatibleDC(screen));
    const SelectedObject selected(memory.get(), bitmap.get());  // given back before the bitmap goes
    if (!bitmap || !BitBlt(memory.get(), 0, 0, image.Width, image.Height, screen, area.left, area.top, SRCCOPY))
        throw DriverError("could not capture the screen");
    for (COLORREF pixel : std::span(bits, static_cast<std::size_t>(image.Width * image.Height)))
        image.Pixels.push_back(RGB(GetBValue(pixel), GetGValue(pixel), GetRValue(pixel)));
    return image;
}

void AwaitColors(HWND window, const RECT& area, COLORREF text, COLORREF background)
{
    WaitFor(
        [&] {
            std::map<COLORREF, std::size_t> counts;
            for (COLORREF pixel : CapturePainted(window, area).Pixels) ++counts[pixel];
            const auto mostCommon = std::max_element(counts.begin(), counts.end(),
                                                     [](auto& a, auto& b) { return a.second < b.second; });
            return mostCommon->first == background && counts.contains(text);
        },
        "the colors " + std::to_string(text) + " on " + std::to_string(background));
}

std::vector<std::wstring> ListHeaders(HWND list)
{
    std::vector<std::wstring> headers;
    LVCOLUMNW record{};
    record.mask = LVCF_TEXT;
    for (int column = 0; column < ColumnCount(list); ++column)
        headers.push_back(ProgramMemory(list).AskForText(LVM_GETCOLUMNW, column, record));
    return headers;
}

std::wstring ListCell(HWND list, int row, int column)
{
    LVITEMW record{};
    record.iSubItem = column;
    return ProgramMemory(list).AskForText(LVM_GETITEMTEXTW, row, record);
}

std::vector<std::vector<std::wstring>> ListRows(HWND list)
{
    std::vector<std::vector<std::wstring>> rows(static_cast<std::size_t>(ListRowCount(list)));
    for (std::size_t row = 0; row < rows.size(); ++row)
        for (int column = 0; column < ColumnCount(list); ++column)
            rows[row].push_back(ListCell(list, static_cast<int>(row), column));
    return rows;
}

RECT ListRowScreenRect(HWND list, int row)
{
    // LVM_GETITEMRECT takes the kind of rectangle in the RECT's left field.
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    ProgramMemory(list).Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), rect);
    // Only the part in sight: the columns together may be wider than the list.
    RECT client{};
    GetClientRect(list, &client);
    IntersectRect(&rect, &rect, &client);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace e2e
