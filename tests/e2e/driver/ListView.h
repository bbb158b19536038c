// A list view ("SysListView32") of another process. Its messages carry
// pointers, which the system does not carry across processes, so every
// question goes through a buffer allocated inside the program's own address
// space: the record and its text buffer are written there, the list view
// fills them, and the driver reads them back. Driver and program must have the
// same bitness (LVITEMW holds a pointer), which the constructor checks.
#pragma once

#include "Wait.h"

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace e2e {

// Memory inside another process, released with the object.
class RemoteBuffer {
public:
    RemoteBuffer(HWND ownerWindow, std::size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    // The address of offset inside the other process, for a message's lParam
    // or a record's pointer field.
    std::uintptr_t AddressOf(std::size_t offset) const;
    void Write(std::size_t offset, const void* bytes, std::size_t size) const;
    void Read(std::size_t offset, void* bytes, std::size_t size) const;

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    std::size_t size_ = 0;
};

class ListView {
public:
    explicit ListView(HWND list);

    int RowCount() const;
    int ColumnCount() const;
    std::vector<std::wstring> Headers() const;
    std::wstring Cell(int row, int column) const;
    // The row across all columns (LVM_GETITEMRECT, LVIR_BOUNDS), cut to the
    // list's client area: the part a user sees, in screen coordinates.
    RECT RowScreenRect(int row) const;

private:
    // Sends a message whose lParam points at a record placed at the start of
    // the buffer, with a text buffer after it for the list view to fill.
    template <class Record>
    std::wstring AskForText(UINT message, WPARAM wParam, Record record) const;

    HWND list_;
    RemoteBuffer buffer_;
};

}  // namespace e2e
