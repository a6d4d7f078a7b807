#include "render/CaptionTextCache.h"

#include "render/GdiSurface.h"

namespace {

gdip::UniqueFont createFont(gdip::GpFontFamily* family, const TextStyle& style)
{
    gdip::UniqueFont font;
    if (family == nullptr || gdip::GdipCreateFont(family, captionPixelSize(style.pointSize), gdip::FontStyleRegular,
                                                  gdip::UnitPixel, font.put()) != gdip::Ok)
        return {};
    return font;
}

gdip::UniqueFont createFontOrFallback(const TextStyle& style)
{
    gdip::UniqueFontFamily named;
    if (gdip::GdipCreateFontFamilyFromName(style.fontFamily.c_str(), nullptr, named.put()) != gdip::Ok)
        named.release();
    if (gdip::UniqueFont font = createFont(named.get(), style))
        return font;

    gdip::UniqueFontFamily generic;
    if (gdip::GdipGetGenericFontFamilySansSerif(generic.put()) != gdip::Ok)
        generic.release();
    return createFont(generic.get(), style);
}

}  // namespace

gdip::GpFont* CaptionTextCache::font(const TextStyle& style)
{
    const auto key = std::make_pair(style.fontFamily, style.pointSize);
    auto found = fonts_.find(key);
    if (found == fonts_.end())
        found = fonts_.emplace(key, createFontOrFallback(style)).first;
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
