// The DPI a window is drawn at and the metrics that go with it. The calls
// that answer per window exist only from Windows 8.1 and 10 on, so they are
// looked up when first needed, never imported: without them every window has
// the screen's DPI and the system's metrics.
#pragma once

#include <windows.h>

// The DPI that the system's drawing, and ours, is sized for: 100 %.
constexpr int defaultDpi = 96;

// Sent to a per-monitor aware window when the DPI it is shown at changes:
// the new DPI in both words of wParam, the suggested window rectangle in
// lParam. WM_GETDPISCALEDSIZE comes before it: the new DPI in wParam, and in
// lParam the window's size at the new DPI for the window to correct.
// Headers for Windows XP do not define them.
constexpr UINT dpiChangedMessage = 0x02E0;     // WM_DPICHANGED
constexpr UINT dpiScaledSizeMessage = 0x02E4;  // WM_GETDPISCALEDSIZE

// The screen's horizontal pixels per logical inch (LOGPIXELSX); 96 when the
// screen cannot be asked.
int systemDpi();

// The DPI of the monitor the window is shown on (GetDpiForWindow), or the
// screen's where the system has no such call.
int windowDpi(HWND window);

// AdjustWindowRectEx for a window shown at dpi: the frame, caption and menu
// bar sizes of that DPI where the system can give them (Windows 10 1607 on),
// otherwise the system's own.
bool adjustWindowRectForDpi(RECT& rect, DWORD style, bool hasMenu, DWORD exStyle, int dpi);

// GetSystemMetrics at dpi where the system can give it, else at its own DPI.
int systemMetricForDpi(int index, int dpi);

// For a window of a per-monitor (version 1) aware process, as Windows 10
// before 1703 runs it: asks the system to scale the caption and the menu bar
// with the DPI too. Called on WM_NCCREATE; does nothing where the call does
// not exist or is not needed.
void enableNonClientDpiScaling(HWND window);

// The dialog manager of Windows 10 1703 and later sets the dialog's font on
// every control of a dialog whose DPI changes; a control with a font of its
// own keeps it, and the dialog sets it again for the new DPI.
void keepOwnFontAtDpiChange(HWND control);
