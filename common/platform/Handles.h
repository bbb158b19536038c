// Owners of Windows handles and GDI objects: each frees its object when it goes,
// so no window pairs a create with a delete by hand.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shtypes.h>

#include <memory>
#include <type_traits>
#include <utility>

namespace common {

namespace handles {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MemoryDcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct LibraryDeleter {
    void operator()(HMODULE library) const { FreeLibrary(library); }
};
struct CoTaskMemoryDeleter {
    void operator()(void* memory) const { CoTaskMemFree(memory); }
};
struct FindCloser {
    void operator()(HANDLE search) const { FindClose(search); }
};

}  // namespace handles

template <class Handle, class Deleter>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, Deleter>;

using FontHandle = UniqueHandle<HFONT, handles::GdiObjectDeleter>;
using BrushHandle = UniqueHandle<HBRUSH, handles::GdiObjectDeleter>;
using BitmapHandle = UniqueHandle<HBITMAP, handles::GdiObjectDeleter>;
using IconHandle = UniqueHandle<HICON, handles::IconDeleter>;
using MemoryDcHandle = UniqueHandle<HDC, handles::MemoryDcDeleter>;
using LibraryHandle = UniqueHandle<HMODULE, handles::LibraryDeleter>;
// A listing of a folder's entries (FindFirstFileExW); never INVALID_HANDLE_VALUE.
using FindHandle = std::unique_ptr<void, handles::FindCloser>;
// An item list the shell allocated, such as the folder browser's answer.
using ShellItemList = std::unique_ptr<std::remove_pointer_t<PIDLIST_ABSOLUTE>, handles::CoTaskMemoryDeleter>;

// COM made ready on this thread for as long as a shell object needs it.
class ComApartment {
public:
    ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment()
    {
        if (initialized_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialized_;
};

// The screen's device context for as long as it is needed.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() { ReleaseDC(nullptr, dc_); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    operator HDC() const { return dc_; }

private:
    HDC dc_;
};

// An object selected into a device context, deselected again when this goes.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A file, device or process handle; INVALID_HANDLE_VALUE and null own nothing.
class KernelHandle {
public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE handle) : handle_(handle) {}
    ~KernelHandle() { Close(); }
    KernelHandle(KernelHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    KernelHandle& operator=(KernelHandle&& other) noexcept
    {
        if (this != &other) {
            Close();
            handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
        }
        return *this;
    }

    HANDLE Get() const { return handle_; }
    bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    // Closes now and tells whether the system accepted it (a failed close of a
    // written file can mean lost data).
    bool Close()
    {
        if (!IsValid()) return true;
        const BOOL closed = CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
        return closed != FALSE;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace common
