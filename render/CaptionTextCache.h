// The GDI+ objects of the captions' text, made once per text style and kept
// for the owner's life: making a font family, a font, a brush and a string
// format for every caption of every frame costs more than drawing the text.
// Window thread only. It must be gone before GDI+ shuts down; the window
// that paints owns it.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "game/DrawSurface.h"
#include "render/BoardScale.h"
#include "win/GdiplusApi.h"

class CaptionTextCache {
public:
    // The style's font at the board's scale, or the same size in the generic
    // sans-serif family when the style's family is not installed; null when
    // neither can be made. Made on the first call for the family and size.
    gdip::GpFont* font(const TextStyle& style, BoardScale scale);
    // A solid brush of the ARGB colour; null when none can be made.
    gdip::GpSolidFill* brush(std::uint32_t color);
    // From the top left, wrapped at the width, clipped to the rectangle.
    gdip::GpStringFormat* format();

    // The smallest rectangle holding every pixel the text can colour when
    // laid out from the top left of a rectangle of the given width (device
    // pixels), relative to that corner; empty when it colours none. Found
    // once per text, style, scale and width by drawing it white on black
    // and black on white.
    RECT inkExtent(const std::wstring& text, const TextStyle& style, BoardScale scale, float width);

private:
    using FontKey = std::tuple<std::wstring, std::int32_t, int>;  // family, points, DPI
    std::map<FontKey, gdip::UniqueFont> fonts_;
    gdip::UniqueSolidFill brush_;
    std::uint32_t brushColor_ = 0;
    gdip::UniqueStringFormat format_;
    using ExtentKey = std::tuple<std::wstring, std::wstring, std::int32_t, int, float>;
    static constexpr std::size_t maxInkExtents = 64;
    std::map<ExtentKey, RECT> inkExtents_;
};
