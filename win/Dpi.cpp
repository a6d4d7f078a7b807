#include "win/Dpi.h"

#include "win/Handles.h"

namespace {

// A function of user32 that may not exist on this system; null then.
// GetProcAddress knows no signatures: the detour through void* says so.
template <class Function>
Function user32Function(const char* name)
{
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                             : nullptr;
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using EnableNonClientDpiScalingFunction = BOOL(WINAPI*)(HWND);
using SetDialogControlDpiChangeBehaviorFunction = BOOL(WINAPI*)(HWND, int, int);
constexpr int dialogControlKeepsItsFont = 1;  // DCDC_DISABLE_FONT_UPDATE

}  // namespace

int systemDpi()
{
    const WindowDcScope screen(nullptr);
    const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : defaultDpi;
}

int windowDpi(HWND window)
{
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow != nullptr && window != nullptr ? getDpiForWindow(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : systemDpi();
}

bool adjustWindowRectForDpi(RECT& rect, DWORD style, bool hasMenu, DWORD exStyle, int dpi)
{
    static const auto adjustForDpi = user32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    if (adjustForDpi != nullptr)
        return adjustForDpi(&rect, style, hasMenu ? TRUE : FALSE, exStyle, static_cast<UINT>(dpi)) != FALSE;
    return AdjustWindowRectEx(&rect, style, hasMenu ? TRUE : FALSE, exStyle) != FALSE;
}

int systemMetricForDpi(int index, int dpi)
{
    static const auto metricForDpi = user32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    return metricForDpi != nullptr ? metricForDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

void enableNonClientDpiScaling(HWND window)
{
    static const auto enable = user32Function<EnableNonClientDpiScalingFunction>("EnableNonClientDpiScaling");
    // Fails harmlessly for a process that is not per-monitor (version 1)
    // aware; version 2 scales the non-client area by itself.
    if (enable != nullptr)
        enable(window);
}

void keepOwnFontAtDpiChange(HWND control)
{
    static const auto setBehaviour =
        user32Function<SetDialogControlDpiChangeBehaviorFunction>("SetDialogControlDpiChangeBehavior");
    if (setBehaviour != nullptr)
        setBehaviour(control, dialogControlKeepsItsFont, dialogControlKeepsItsFont);
}
