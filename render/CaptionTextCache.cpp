#include "render/CaptionTextCache.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "render/GdiSurface.h"
#include "win/Handles.h"
#include "win/DibSection.h"

namespace {

gdip::UniqueFont createFont(gdip::GpFontFamily* family, const TextStyle& style, BoardScale scale)
{
    gdip::UniqueFont font;
    if (family == nullptr || gdip::GdipCreateFont(family, captionPixelSize(style.pointSize, scale),
                                                  gdip::FontStyleRegular, gdip::UnitPixel, font.put()) != gdip::Ok)
        return {};
    return font;
}

gdip::UniqueFont createFontOrFallback(const TextStyle& style, BoardScale scale)
{
    gdip::UniqueFontFamily named;
    if (gdip::GdipCreateFontFamilyFromName(style.fontFamily.c_str(), nullptr, named.put()) != gdip::Ok)
        named.release();
    if (gdip::UniqueFont font = createFont(named.get(), style, scale))
        return font;

    gdip::UniqueFontFamily generic;
    if (gdip::GdipGetGenericFontFamilySansSerif(generic.put()) != gdip::Ok)
        generic.release();
    return createFont(generic.get(), style, scale);
}

// The bounds of the pixels the text changes on a plain ground, drawn in the
// opposite colour from the top left of a probe of the given width.
RECT probeInk(const std::wstring& text, gdip::GpFont* font, gdip::GpStringFormat* format, float width,
              bool whiteOnBlack)
{
    // Taller than any caption; a caption cut by its rectangle is clipped by
    // the caller.
    constexpr int probeHeight = 512;
    const int probeWidth = std::min(static_cast<int>(std::ceil(width)), 4096);
    const RECT none{0, 0, 0, 0};
    if (format == nullptr || probeWidth <= 0)
        return none;
    void* bits = nullptr;
    const UniqueDc dc(CreateCompatibleDC(nullptr));
    const UniqueBitmap bitmap(dc ? createTopDownDib(dc.get(), probeWidth, probeHeight, 32, &bits) : UniqueBitmap());
    if (!bitmap || bits == nullptr)
        return none;
    const SelectionScope selection(dc.get(), bitmap.get());
    const std::uint32_t ground = whiteOnBlack ? 0x000000 : 0xFFFFFF;
    auto* const pixels = static_cast<std::uint32_t*>(bits);
    std::fill(pixels, pixels + static_cast<std::size_t>(probeWidth) * probeHeight, ground);
    {
        gdip::UniqueGraphics graphics;
        gdip::UniqueSolidFill brush;
        if (gdip::GdipCreateFromHDC(dc.get(), graphics.put()) != gdip::Ok)
            graphics.release();
        if (gdip::GdipCreateSolidFill(whiteOnBlack ? 0xFFFFFFFF : 0xFF000000, brush.put()) != gdip::Ok)
            brush.release();
        if (!graphics || !brush)
            return none;
        gdip::GdipSetClipRect(graphics.get(), 0, 0, width, probeHeight, gdip::CombineModeReplace);
        const gdip::RectF area(0.0f, 0.0f, width, static_cast<float>(probeHeight));
        gdip::GdipDrawString(graphics.get(), text.c_str(), -1, font, &area, format, brush.get());
        gdip::GdipFlush(graphics.get(), gdip::FlushIntentionSync);
    }
    GdiFlush();

    RECT ink{probeWidth, probeHeight, 0, 0};
    for (int y = 0; y < probeHeight; ++y) {
        const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * probeWidth;
        for (int x = 0; x < probeWidth; ++x) {
            if ((row[x] & 0xFFFFFF) != ground) {
                ink.left = std::min<LONG>(ink.left, x);
                ink.top = std::min<LONG>(ink.top, y);
                ink.right = std::max<LONG>(ink.right, x + 1);
                ink.bottom = std::max<LONG>(ink.bottom, y + 1);
            }
        }
    }
    return ink.right > ink.left ? ink : none;
}

}  // namespace

gdip::GpFont* CaptionTextCache::font(const TextStyle& style, BoardScale scale)
{
    const FontKey key{style.fontFamily, style.pointSize, scale.dpi()};
    auto found = fonts_.find(key);
    if (found == fonts_.end())
        found = fonts_.emplace(key, createFontOrFallback(style, scale)).first;
    return found->second.get();
}

gdip::GpSolidFill* CaptionTextCache::brush(std::uint32_t color)
{
    if (!brush_) {
        if (gdip::GdipCreateSolidFill(color, brush_.put()) != gdip::Ok)
            brush_.release();
        brushColor_ = color;
    } else if (color != brushColor_) {
        if (gdip::GdipSetSolidFillColor(brush_.get(), color) != gdip::Ok)
            brush_.reset();
        brushColor_ = color;
    }
    return brush_.get();
}

gdip::GpStringFormat* CaptionTextCache::format()
{
    // Attributes 0: from the top left, wrapped at the width, clipped to the
    // rectangle.
    if (!format_ && gdip::GdipCreateStringFormat(0, LANG_NEUTRAL, format_.put()) != gdip::Ok)
        format_.release();
    return format_.get();
}

RECT CaptionTextCache::inkExtent(const std::wstring& text, const TextStyle& style, BoardScale scale, float width)
{
    const ExtentKey key{text, style.fontFamily, style.pointSize, scale.dpi(), width};
    auto found = inkExtents_.find(key);
    if (found == inkExtents_.end()) {
        RECT ink{0, 0, 0, 0};
        if (gdip::GpFont* const textFont = font(style, scale)) {
            for (const bool whiteOnBlack : {true, false}) {
                const RECT pass = probeInk(text, textFont, format(), width, whiteOnBlack);
                if (pass.right > pass.left && ink.right > ink.left)
                    UnionRect(&ink, &ink, &pass);
                else if (pass.right > pass.left)
                    ink = pass;
            }
        }
        // The score panel's text changes with every score: old texts go
        // rather than pile up for the length of a session.
        if (inkExtents_.size() >= maxInkExtents)
            inkExtents_.clear();
        found = inkExtents_.emplace(key, ink).first;
    }
    return found->second;
}
