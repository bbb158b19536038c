#include "Driver.h"

#include <commctrl.h>

namespace e2e {

namespace {

// Room for the longest cell text the programs' list views hold.
constexpr std::size_t TextCapacity = 1024;
constexpr std::size_t RecordSpace = 256;
constexpr std::size_t RemoteSize = RecordSpace + TextCapacity * sizeof(wchar_t);
static_assert(sizeof(LVITEMW) <= RecordSpace && sizeof(LVCOLUMNW) <= RecordSpace);

bool IsWow64(HANDLE process)
{
    BOOL wow64 = FALSE;
    IsWow64Process(process, &wow64);
    return wow64;
}

}  // namespace

ListView::ListView(HWND list) : list_(list)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                               FALSE, processId));
    if (!process_) throw DriverError("cannot open the process of " + Describe(list));
    if (IsWow64(process_.get()) != IsWow64(GetCurrentProcess()))
        throw DriverError("the driver and the program of " + Describe(list) +
                          " differ in bitness; build the test for the program's architecture");
    remote_ = static_cast<char*>(
        VirtualAllocEx(process_.get(), nullptr, RemoteSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!remote_) throw DriverError("cannot allocate memory in the process of " + Describe(list));
}

ListView::~ListView()
{
    VirtualFreeEx(process_.get(), remote_, 0, MEM_RELEASE);
}

void ListView::Write(const void* bytes, std::size_t size, std::size_t offset) const
{
    if (!WriteProcessMemory(process_.get(), remote_ + offset, bytes, size, nullptr))
        throw DriverError("cannot write " + std::to_string(size) + " bytes into the process of " + Describe(list_));
}

void ListView::Read(void* bytes, std::size_t size, std::size_t offset) const
{
    if (!ReadProcessMemory(process_.get(), remote_ + offset, bytes, size, nullptr))
        throw DriverError("cannot read " + std::to_string(size) + " bytes from the process of " + Describe(list_));
}

template <class Record>
std::wstring ListView::AskForText(UINT message, WPARAM wParam, Record record) const
{
    record.pszText = reinterpret_cast<wchar_t*>(remote_ + RecordSpace);
    record.cchTextMax = static_cast<int>(TextCapacity);
    const wchar_t nothing = L'\0';
    Write(&nothing, sizeof nothing, RecordSpace);
    Write(&record, sizeof record);
    SendBounded(list_, message, wParam, reinterpret_cast<LPARAM>(remote_));
    std::wstring text(TextCapacity, L'\0');
    Read(text.data(), TextCapacity * sizeof(wchar_t), RecordSpace);
    text.resize(text.find(L'\0'));
    return text;
}

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
        headers.push_back(AskForText(LVM_GETCOLUMNW, static_cast<WPARAM>(column), record));
    }
    return headers;
}

std::wstring ListView::Cell(int row, int column) const
{
    LVITEMW record{};
    record.iSubItem = column;
    return AskForText(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), record);
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
    Write(&rect, sizeof rect);
    if (!SendBounded(list_, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote_)))
        throw DriverError("row " + std::to_string(row) + " is not in " + Describe(list_));
    Read(&rect, sizeof rect);
    RECT client{};
    GetClientRect(list_, &client);
    RECT visible{};
    if (!IntersectRect(&visible, &rect, &client))
        throw DriverError("row " + std::to_string(row) + " of " + Describe(list_) + " is scrolled out of sight");
    MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&visible), 2);
    return visible;
}

}  // namespace e2e
