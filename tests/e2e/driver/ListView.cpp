#include "ListView.h"

#include "Window.h"

#include <commctrl.h>

namespace e2e {

namespace {

// Room for the longest cell text the list views of the programs hold.
constexpr std::size_t TextCapacity = 1024;
constexpr std::size_t RecordSpace = 256;
static_assert(sizeof(LVITEMW) <= RecordSpace && sizeof(LVCOLUMNW) <= RecordSpace && sizeof(RECT) <= RecordSpace);
constexpr std::size_t BufferSize = RecordSpace + TextCapacity * sizeof(wchar_t);

bool IsWow64(HANDLE process)
{
    BOOL wow64 = FALSE;
    IsWow64Process(process, &wow64);
    return wow64;
}

}  // namespace

RemoteBuffer::RemoteBuffer(HWND ownerWindow, std::size_t size) : size_(size)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(ownerWindow, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                           FALSE, processId);
    if (!process_) throw DriverError("cannot open the process of " + Describe(ownerWindow));
    if (IsWow64(process_) != IsWow64(GetCurrentProcess())) {
        CloseHandle(process_);
        throw DriverError("the driver and the program of " + Describe(ownerWindow) +
                          " differ in bitness; build the test for the program's architecture");
    }
    address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!address_) {
        CloseHandle(process_);
        throw DriverError("cannot allocate memory in the process of " + Describe(ownerWindow));
    }
}

RemoteBuffer::~RemoteBuffer()
{
    VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    CloseHandle(process_);
}

std::uintptr_t RemoteBuffer::AddressOf(std::size_t offset) const
{
    return reinterpret_cast<std::uintptr_t>(address_) + offset;
}

void RemoteBuffer::Write(std::size_t offset, const void* bytes, std::size_t size) const
{
    if (offset + size > size_ ||
        !WriteProcessMemory(process_, static_cast<char*>(address_) + offset, bytes, size, nullptr))
        throw DriverError("cannot write " + std::to_string(size) + " bytes into the other process");
}

void RemoteBuffer::Read(std::size_t offset, void* bytes, std::size_t size) const
{
    if (offset + size > size_ ||
        !ReadProcessMemory(process_, static_cast<const char*>(address_) + offset, bytes, size, nullptr))
        throw DriverError("cannot read " + std::to_string(size) + " bytes from the other process");
}

ListView::ListView(HWND list) : list_(list), buffer_(list, BufferSize) {}

int ListView::RowCount() const
{
    return static_cast<int>(SendBounded(list_, LVM_GETITEMCOUNT, 0, 0));
}

int ListView::ColumnCount() const
{
    HWND header = reinterpret_cast<HWND>(SendBounded(list_, LVM_GETHEADER, 0, 0));
    if (!header) throw DriverError(Describe(list_) + " has no header: it is not in report view");
    return static_cast<int>(SendBounded(header, HDM_GETITEMCOUNT, 0, 0));
}

template <class Record>
std::wstring ListView::AskForText(UINT message, WPARAM wParam, Record record) const
{
    record.pszText = reinterpret_cast<wchar_t*>(buffer_.AddressOf(RecordSpace));
    record.cchTextMax = static_cast<int>(TextCapacity);
    const wchar_t nothing = L'\0';
    buffer_.Write(RecordSpace, &nothing, sizeof nothing);
    buffer_.Write(0, &record, sizeof record);
    SendBounded(list_, message, wParam, static_cast<LPARAM>(buffer_.AddressOf(0)));
    std::wstring text(TextCapacity, L'\0');
    buffer_.Read(RecordSpace, text.data(), TextCapacity * sizeof(wchar_t));
    text.resize(text.find(L'\0'));
    return text;
}

std::vector<std::wstring> ListView::Headers() const
{
    std::vector<std::wstring> headers;
    for (int column = 0; column < ColumnCount(); ++column) {
        LVCOLUMNW record{};
        record.mask = LVCF_TEXT;
        headers.push_back(AskForText(LVM_GETCOLUMNW, static_cast<WPARAM>(column), record));
    }
    return headers;
}

std::wstring ListView::Cell(int row, int column) const
{
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount())
        throw DriverError("cell (" + std::to_string(row) + ", " + std::to_string(column) + ") is not in " +
                          Describe(list_));
    LVITEMW record{};
    record.iSubItem = column;
    return AskForText(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), record);
}

RECT ListView::RowScreenRect(int row) const
{
    // LVM_GETITEMRECT takes the kind of rectangle in the left field of the RECT.
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    buffer_.Write(0, &rect, sizeof rect);
    if (!SendBounded(list_, LVM_GETITEMRECT, static_cast<WPARAM>(row), static_cast<LPARAM>(buffer_.AddressOf(0))))
        throw DriverError("row " + std::to_string(row) + " is not in " + Describe(list_));
    buffer_.Read(0, &rect, sizeof rect);
    RECT client{};
    GetClientRect(list_, &client);
    RECT visible{};
    if (!IntersectRect(&visible, &rect, &client))
        throw DriverError("row " + std::to_string(row) + " of " + Describe(list_) + " is scrolled out of sight");
    MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&visible), 2);
    return visible;
}

}  // namespace e2e
