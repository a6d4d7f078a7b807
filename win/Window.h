// The base of our windows: registers a class whose procedure forwards every
// message to the derived class's handleMessage(UINT, WPARAM, LPARAM) -> LRESULT.
// A window made with Painting::DoubleBuffered has its painting done by the
// base: WM_ERASEBKGND erases nothing, and WM_PAINT and WM_PRINTCLIENT compose
// the frame off screen through the derived class's OnPaint(HDC, PaintCoverage),
// in a buffer of the client size kept from one paint to the next, and copy it
// in one step; those three messages never reach handleMessage.
#pragma once

#include <windows.h>

#include "win/DoubleBufferedPaint.h"
#include "win/MessageThunk.h"

// What a window class is registered with. Resource ids refer to the program's
// own module; 0 means none.
struct WindowClassInfo {
    const wchar_t* name = nullptr;
    UINT style = 0;
    HBRUSH background = nullptr;
    const wchar_t* systemCursor = IDC_ARROW;
    int menuId = 0;
    int iconId = 0;
};

// Where a window is created; the defaults let the system choose.
struct WindowBounds {
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int width = CW_USEDEFAULT;
    int height = CW_USEDEFAULT;
};

enum class Painting {
    Plain,           // the derived class handles painting itself, if at all
    DoubleBuffered,  // the base paints through Derived::OnPaint(HDC, PaintCoverage)
};

template <class Derived, Painting painting = Painting::Plain>
class WindowBase {
public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    // Registers a class whose messages reach Derived. A class of that name
    // already registered by this module counts as success, so every window
    // may register before it is created.
    static bool registerClass(const WindowClassInfo& info)
    {
        const HINSTANCE module = GetModuleHandleW(nullptr);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = info.style;
        windowClass.lpfnWndProc = &WindowBase::windowProc;
        windowClass.hInstance = module;
        windowClass.hCursor = info.systemCursor ? LoadCursorW(nullptr, info.systemCursor) : nullptr;
        windowClass.hbrBackground = info.background;
        windowClass.lpszMenuName = info.menuId ? MAKEINTRESOURCEW(info.menuId) : nullptr;
        windowClass.hIcon = info.iconId ? LoadIconW(module, MAKEINTRESOURCEW(info.iconId)) : nullptr;
        windowClass.lpszClassName = info.name;
        return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }

    // Creates the window of a class registered by registerClass. Its
    // WM_NCCREATE, WM_CREATE and everything after reach handleMessage.
    // Returns null on failure.
    HWND create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle = 0,
                const WindowBounds& bounds = WindowBounds{}, HWND parent = nullptr)
    {
        return CreateWindowExW(exStyle, className, title, style, bounds.x, bounds.y, bounds.width,
                               bounds.height, parent, nullptr, GetModuleHandleW(nullptr), this);
    }

    // Null before creation and after destruction.
    HWND hwnd() const { return hwnd_; }

protected:
    // A window still alive when its object goes is destroyed, but its last
    // messages go to DefWindowProcW: the derived part no longer exists.
    ~WindowBase()
    {
        if (hwnd_ != nullptr) {
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            DestroyWindow(hwnd_);
        }
    }

    LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }

private:
    friend class MessageThunk;

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
    {
        WindowBase* arriving = nullptr;
        if (message == WM_NCCREATE)
            arriving = static_cast<WindowBase*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        // Messages before WM_NCCREATE (WM_GETMINMAXINFO) have no object yet.
        return MessageThunk::forward(window, message, wParam, lParam, GWLP_USERDATA, arriving,
                                     [&] { return DefWindowProcW(window, message, wParam, lParam); });
    }

    void attachHandle(HWND window) { hwnd_ = window; }

    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto& derived = static_cast<Derived&>(*this);
        if constexpr (painting == Painting::DoubleBuffered) {
            switch (message) {
            case WM_ERASEBKGND:
                return 1;  // the buffer covers everything; an erase in between is what flickers
            case WM_PAINT:
            case WM_PRINTCLIENT:
                return paintDoubleBuffered(hwnd_, message == WM_PRINTCLIENT ? wParam : 0, backBuffer_,
                                           [&derived](HDC target, const RECT&, PaintCoverage coverage) {
                                               derived.OnPaint(target, coverage);
                                           });
            default:
                break;
            }
        }
        return derived.handleMessage(message, wParam, lParam);
    }

    HWND hwnd_ = nullptr;
    // The double-buffered paint's bitmap, kept between paints.
    BackBuffer backBuffer_;
};
