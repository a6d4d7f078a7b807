// Owned Win32 and GDI handles, and scope objects for the calls that come in
// pairs, so that no release can be forgotten or made twice.
#pragma once

#include <windows.h>

#include <cstdint>

// Owns one handle: Close releases it, and `invalid` (as an integer, since
// INVALID_HANDLE_VALUE is no constant) is the value that means "none".
// Every handle type below is one line on top of it.
template <class Handle, auto Close, std::intptr_t invalid = 0>
class UniqueAny {
public:
    UniqueAny() noexcept = default;
    explicit UniqueAny(Handle handle) noexcept : handle_(handle) {}
    ~UniqueAny() { reset(); }

    UniqueAny(UniqueAny&& other) noexcept : handle_(other.release()) {}
    UniqueAny& operator=(UniqueAny&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != empty(); }

    // Releases the owned handle, if any, and takes ownership of the new one.
    void reset(Handle handle = empty()) noexcept
    {
        const Handle old = handle_;
        handle_ = handle;
        if (old != empty())
            Close(old);
    }

    // Gives up ownership without releasing.
    Handle release() noexcept
    {
        const Handle handle = handle_;
        handle_ = empty();
        return handle;
    }

    // For a function that hands out a new handle through an out-parameter:
    // releases the owned one and lends the slot to write the new one into.
    Handle* put() noexcept
    {
        reset();
        return &handle_;
    }

    static Handle empty() noexcept { return reinterpret_cast<Handle>(invalid); }

private:
    Handle handle_ = empty();
};

// INVALID_HANDLE_VALUE as the integer UniqueAny takes.
constexpr std::intptr_t invalidHandleValue = -1;

using UniqueBrush = UniqueAny<HBRUSH, DeleteObject>;
using UniqueFont = UniqueAny<HFONT, DeleteObject>;
using UniqueBitmap = UniqueAny<HBITMAP, DeleteObject>;
// A DC made by CreateCompatibleDC or CreateDCW; window DCs use WindowDcScope.
using UniqueDc = UniqueAny<HDC, DeleteDC>;
// An icon made by LoadImageW without LR_SHARED.
using UniqueIcon = UniqueAny<HICON, DestroyIcon>;
// A menu not attached to a window (a window destroys its own menu).
using UniqueMenu = UniqueAny<HMENU, DestroyMenu>;
using UniqueAcceleratorTable = UniqueAny<HACCEL, DestroyAcceleratorTable>;
using UniqueWindow = UniqueAny<HWND, DestroyWindow>;
// Events, processes, threads, mappings.
using UniqueKernelHandle = UniqueAny<HANDLE, CloseHandle>;
using UniqueFile = UniqueAny<HANDLE, CloseHandle, invalidHandleValue>;
using UniqueFind = UniqueAny<HANDLE, FindClose, invalidHandleValue>;

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
