// The flicker-free paint of WM_PAINT and WM_PRINTCLIENT: the area is composed
// in a memory bitmap and copied to the window in one step.
//
// The window must also answer WM_ERASEBKGND with 1 and erase nothing: the
// buffer covers the whole area, and an erase in between is what flickers.
#pragma once

#include <windows.h>

#include <functional>

#include "win/BackBuffer.h"

// Whether a paint puts the whole client area on the window: only a WM_PAINT
// whose update region is all of it does. One of part of it, or one into a
// printing DC (WM_PRINTCLIENT), leaves the rest of the window as it was.
enum class PaintCoverage { PartOfClient, WholeClient };

// Draws the area into memoryDc in window client coordinates.
using PaintCallback = std::function<void(HDC memoryDc, const RECT& area, PaintCoverage coverage)>;

// Handles WM_PAINT and WM_PRINTCLIENT through a buffer of the window's client
// size kept in buffer from one paint to the next and made again when the
// client size changes. A message that carries a DC in wParam (WM_PRINTCLIENT)
// is painted into that DC, the whole client area; otherwise BeginPaint gives
// the DC and the area. Returns the messages' result, 0.
LRESULT paintDoubleBuffered(HWND window, WPARAM wParam, BackBuffer& buffer, const PaintCallback& paint);

// Draws in client coordinates into the kept buffer, and copies the area (only
// that) to the same place of output. If no buffer can be made, paints
// directly. The coverage is passed on to paint.
void paintBuffered(HDC output, const RECT& area, SIZE clientSize, BackBuffer& buffer, PaintCoverage coverage,
                   const PaintCallback& paint);
