#include "Driver.h"

#include <commctrl.h>

namespace e2e {

namespace {

// Room for the longest cell text the programs' list views hold.
constexpr std::size_t TextCapacity = 1024;
constexpr std::size_t RecordSpace = 256;
static_assert(sizeof(LVITEMW) <= RecordSpace && sizeof(LVCOLUMNW) <= RecordSpace && sizeof(TVITEMW) <= RecordSpace);

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
    process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                               FALSE, processId));
    if (!process_) throw DriverError("cannot open the process of " + Describe(ownerWindow));
    // The records hold pointers: driver and program must have the same bitness.
    if (IsWow64(process_.get()) != IsWow64(GetCurrentProcess()))
        throw DriverError("the driver and the program of " + Describe(ownerWindow) +
                          " differ in bitness; build the test for the program's architecture");
    address_ = VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!address_) throw DriverError("cannot allocate memory in the process of " + Describe(ownerWindow));
}

RemoteBuffer::~RemoteBuffer()
{
    VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
}

std::uintptr_t RemoteBuffer::AddressOf(std::size_t offset) const
{
    return reinterpret_cast<std::uintptr_t>(address_) + offset;
}

void RemoteBuffer::Write(std::size_t offset, const void* bytes, std::size_t size) const
{
    if (offset + size > size_ ||
        !WriteProcessMemory(process_.get(), static_cast<char*>(address_) + offset, bytes, size, nullptr))
        throw DriverError("cannot write " + std::to_string(size) + " bytes into the other process");
}

void RemoteBuffer::Read(std::size_t offset, void* bytes, std::size_t size) const
{
    if (offset + size > size_ ||
        !ReadProcessMemory(process_.get(), static_cast<const char*>(address_) + offset, bytes, size, nullptr))
        throw DriverError("cannot read " + std::to_string(size) + " bytes from the other process");
}

template <class Record>
std::wstring RemoteBuffer::AskForText(HWND window, UINT message, WPARAM wParam, Record record) const
{
    const std::size_t capacity = (size_ - RecordSpace) / sizeof(wchar_t);
    record.pszText = reinterpret_cast<wchar_t*>(AddressOf(RecordSpace));
    record.cchTextMax = static_cast<int>(capacity);
    const wchar_t nothing = L'\0';
    Write(RecordSpace, &nothing, sizeof nothing);
    Write(0, &record, sizeof record);
    SendBounded(window, message, wParam, static_cast<LPARAM>(AddressOf(0)));
    std::wstring text(capacity, L'\0');
    Read(RecordSpace, text.data(), capacity * sizeof(wchar_t));
    text.resize(text.find(L'\0'));
    return text;
}

template std::wstring RemoteBuffer::AskForText(HWND, UINT, WPARAM, TVITEMW) const;

ListView::ListView(HWND list) : list_(list), buffer_(list, RecordSpace + TextCapacity * sizeof(wchar_t)) {}

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

std::vector<std::wstring> ListView::Headers() const
{
    std::vector<std::wstring> headers;
    for (int column = 0; column < ColumnCount(); ++column) {
        LVCOLUMNW record{};
        record.mask = LVCF_TEXT;
        headers.push_back(buffer_.AskForText(list_, LVM_GETCOLUMNW, static_cast<WPARAM>(column), record));
    }
    return headers;
}

std::wstring ListView::Cell(int row, int column) const
{
    LVITEMW record{};
    record.iSubItem = column;
    return buffer_.AskForText(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), record);
}

std::vector<std::vector<std::wstring>> ListView::Rows() const
{
    const int columns = ColumnCount();
    std::vector<std::vector<std::wstring>> rows(static_cast<std::size_t>(RowCount()));
    for (std::size_t row = 0; row < rows.size(); ++row)
        for (int column = 0; column < columns; ++column) rows[row].push_back(Cell(static_cast<int>(row), column));
    return rows;
}

RECT ListView::RowScreenRect(int row) const
{
    // LVM_GETITEMRECT takes the kind of rectangle in the RECT's left field.
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
