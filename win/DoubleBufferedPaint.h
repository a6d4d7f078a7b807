// The flicker-free paint of WM_PAINT and WM_PRINTCLIENT: the area is composed
// in a memory bitmap and copied to the window in one step.
//
// The window must also answer WM_ERASEBKGND with 1 and erase nothing: the
// buffer covers the whole area, and an erase in between is what flickers.
#pragma once

#include <windows.h>

#include <functional>

#include "win/BackBuffer.h"

// Draws the area into memoryDc in window client coordinates.
using PaintCallback = std::function<void(HDC memoryDc, const RECT& area)>;

// Handles WM_PAINT and WM_PRINTCLIENT. A message that carries a DC in wParam
// (WM_PRINTCLIENT) is painted into that DC, the whole client area; otherwise
// BeginPaint gives the DC and the area. Returns the messages' result, 0.
LRESULT paintDoubleBuffered(HWND window, WPARAM wParam, const PaintCallback& paint);

// Composes the area of output in a memory bitmap of the area's size and copies
// it to the same place of output. If no buffer can be made, paints directly.
void paintBuffered(HDC output, const RECT& area, const PaintCallback& paint);

// The same through a buffer of the window's client size kept in buffer from
// one paint to the next and made again when the client size changes. Drawing
// is in client coordinates, and only the area reaches the output.
LRESULT paintDoubleBuffered(HWND window, WPARAM wParam, BackBuffer& buffer, const PaintCallback& paint);
void paintBuffered(HDC output, const RECT& area, SIZE clientSize, BackBuffer& buffer, const PaintCallback& paint);
