// Owned Win32 and GDI handles, and scope objects for the calls that come in
// pairs, so that no release can be forgotten or made twice.
#pragma once

#include <windows.h>

#include <utility>

// Owns one handle; Traits names the handle type and how to release it. Every
// handle type used here is empty when null.
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
    explicit operator bool() const noexcept { return handle_ != nullptr; }

    // Releases the owned handle, if any, and takes ownership of the new one.
    void reset(Handle handle = nullptr) noexcept
    {
        const Handle old = std::exchange(handle_, handle);
        if (old != nullptr)
            Traits::close(old);
    }

    // Gives up ownership without releasing.
    Handle release() noexcept { return std::exchange(handle_, nullptr); }

private:
    Handle handle_ = nullptr;
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
