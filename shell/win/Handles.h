// Owned Win32 and GDI handles, and scope objects for the calls that come in
// pairs, so that no release can be forgotten or made twice.
#pragma once

#include <windows.h>

#include <type_traits>
#include <utility>

// The value that means "no handle": null, unless the traits name another
// (CreateFileW and FindFirstFileW fail with INVALID_HANDLE_VALUE).
template <class Traits, class = void>
struct EmptyHandle {
    static typename Traits::Handle value() noexcept { return nullptr; }
};
template <class Traits>
struct EmptyHandle<Traits, std::void_t<decltype(Traits::empty())>> {
    static typename Traits::Handle value() noexcept { return Traits::empty(); }
};

// Owns one handle; Traits names the handle type and how to release it.
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != empty(); }

    // Releases the owned handle, if any, and takes ownership of the new one.
    void reset(Handle handle = empty()) noexcept
    {
        const Handle old = std::exchange(handle_, handle);
        if (old != empty())
            Traits::close(old);
    }

    // Gives up ownership without releasing.
    Handle release() noexcept { return std::exchange(handle_, empty()); }

private:
    static Handle empty() noexcept { return EmptyHandle<Traits>::value(); }

    Handle handle_ = empty();
};

template <class GdiObject>
struct GdiObjectTraits {
    using Handle = GdiObject;
    static void close(Handle object) { DeleteObject(object); }
};
struct MemoryDcTraits {
    using Handle = HDC;
    static void close(Handle dc) { DeleteDC(dc); }
};
struct IconTraits {
    using Handle = HICON;
    static void close(Handle icon) { DestroyIcon(icon); }
};
struct MenuTraits {
    using Handle = HMENU;
    static void close(Handle menu) { DestroyMenu(menu); }
};
struct AcceleratorTableTraits {
    using Handle = HACCEL;
    static void close(Handle table) { DestroyAcceleratorTable(table); }
};
struct WindowTraits {
    using Handle = HWND;
    static void close(Handle window) { DestroyWindow(window); }
};
// Events, processes, threads, mappings.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static void close(Handle handle) { CloseHandle(handle); }
};
struct FileTraits {
    using Handle = HANDLE;
    static Handle empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(Handle file) { CloseHandle(file); }
};
struct FindTraits {
    using Handle = HANDLE;
    static Handle empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(Handle search) { FindClose(search); }
};

using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
// A DC made by CreateCompatibleDC or CreateDCW; window DCs use WindowDcScope.
using UniqueDc = UniqueHandle<MemoryDcTraits>;
// An icon made by LoadImageW without LR_SHARED.
using UniqueIcon = UniqueHandle<IconTraits>;
// A menu not attached to a window (a window destroys its own menu).
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueAcceleratorTable = UniqueHandle<AcceleratorTableTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFile = UniqueHandle<FileTraits>;
using UniqueFind = UniqueHandle<FindTraits>;

// BeginPaint ... EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window_, &paint_); }
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    // Null when BeginPaint failed.
    HDC dc() const { return dc_; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

// GetDC ... ReleaseDC.
class WindowDcScope {
public:
    explicit WindowDcScope(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDcScope()
    {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    WindowDcScope(const WindowDcScope&) = delete;
    WindowDcScope& operator=(const WindowDcScope&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// SelectObject, with the previous object put back on scope exit: a DC must
// not be deleted, nor an object deleted, while it is selected.
class SelectionScope {
public:
    SelectionScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectionScope()
    {
        if (selected())
            SelectObject(dc_, previous_);
    }
    SelectionScope(const SelectionScope&) = delete;
    SelectionScope& operator=(const SelectionScope&) = delete;

    bool selected() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};
