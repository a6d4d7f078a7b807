// The memory bitmap of a double-buffered paint, kept from one paint to the
// next: making a DC and a bitmap for every frame costs more than drawing
// into one. It is made again only when the size asked for changes. It is a
// top-down 32-bit DIB section, so painting may also reach its pixels.
#pragma once

#include <windows.h>

#include "win/Handles.h"

class BackBuffer {
public:
    BackBuffer() = default;
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;
    ~BackBuffer();

    // A memory DC for output with the bitmap of the given size selected, its
    // viewport at the origin; null when none can be made.
    HDC prepare(HDC output, int width, int height);

    // The memory DC of the last prepare, null before the first or after a
    // failed one.
    HDC dc() const { return dc_.get(); }
    // The kept bitmap, null before the first prepare or after a failed one.
    HBITMAP bitmap() const { return bitmap_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    void release();

    UniqueDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ original_ = nullptr;  // the DC's own bitmap, put back before the DC goes
    int width_ = 0;
    int height_ = 0;
};
