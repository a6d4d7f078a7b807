#include "render/CaptionPixelCache.h"

#include <algorithm>
#include <cstring>
#include <tuple>

namespace {

void copyOut(const DibPixels& pixels, const RECT& region, std::vector<std::uint32_t>& out)
{
    const int width = region.right - region.left;
    out.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(region.bottom - region.top));
    std::uint32_t* to = out.data();
    for (int y = region.top; y < region.bottom; ++y, to += width)
        std::memcpy(to, pixels.row(y) + region.left, sizeof(std::uint32_t) * static_cast<std::size_t>(width));
}

void copyIn(const DibPixels& pixels, const RECT& region, const std::vector<std::uint32_t>& in)
{
    const int width = region.right - region.left;
    const std::uint32_t* from = in.data();
    for (int y = region.top; y < region.bottom; ++y, from += width)
        std::memcpy(pixels.row(y) + region.left, from, sizeof(std::uint32_t) * static_cast<std::size_t>(width));
}

bool sameAs(const DibPixels& pixels, const RECT& region, const std::vector<std::uint32_t>& kept)
{
    const int width = region.right - region.left;
    const std::uint32_t* from = kept.data();
    for (int y = region.top; y < region.bottom; ++y, from += width) {
        if (std::memcmp(pixels.row(y) + region.left, from, sizeof(std::uint32_t) * static_cast<std::size_t>(width)) != 0)
            return false;
    }
    return true;
}

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

std::optional<DibPixels> DibPixels::of(HDC dc)
{
    const HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    DIBSECTION section{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof section, &section) != sizeof section ||
        section.dsBm.bmBits == nullptr || section.dsBm.bmBitsPixel != 32)
        return std::nullopt;
    DibPixels pixels;
    pixels.width_ = section.dsBm.bmWidth;
    pixels.height_ = section.dsBm.bmHeight;
    auto* const bits = static_cast<std::uint32_t*>(section.dsBm.bmBits);
    if (pixels.width_ <= 0 || pixels.height_ <= 0)
        return std::nullopt;
    // Which way the rows run: the header's sign cannot be relied on (wine
    // reports a top-down section with a positive height), so a pixel written
    // into the first row of memory is looked for at the top.
    GdiFlush();
    const std::uint32_t kept = bits[0];
    bits[0] = (kept & 0xFFFFFF) ^ 0x5A3C96;
    const COLORREF seen = GetPixel(dc, 0, 0);
    const bool topDown = seen != CLR_INVALID && seen == RGB((bits[0] >> 16) & 0xFF, (bits[0] >> 8) & 0xFF, bits[0] & 0xFF);
    bits[0] = kept;
    pixels.rowStep_ = topDown ? pixels.width_ : -static_cast<std::ptrdiff_t>(pixels.width_);
    pixels.topRow_ = topDown ? bits : bits + static_cast<std::ptrdiff_t>(pixels.height_ - 1) * pixels.width_;
    return pixels;
}

bool CaptionPixelCache::Key::operator==(const Key& o) const
{
    return scale == o.scale &&
           std::tie(text, style.fontFamily, style.pointSize, style.color, layout.left, layout.top, layout.width,
                    layout.height) == std::tie(o.text, o.style.fontFamily, o.style.pointSize, o.style.color,
                                               o.layout.left, o.layout.top, o.layout.width, o.layout.height);
}

void CaptionPixelCache::draw(const DibPixels& pixels, const Key& key, const RECT& region,
                             const std::function<void()>& drawText)
{
    // GDI may still hold drawing back from the pixels.
    GdiFlush();
    for (const Entry& entry : entries_) {
        if (entry.key == key && sameRect(entry.region, region) && sameAs(pixels, region, entry.before)) {
            copyIn(pixels, region, entry.after);
            return;
        }
    }

    Entry entry{key, region, {}, {}};
    copyOut(pixels, region, entry.before);
    drawText();
    GdiFlush();
    copyOut(pixels, region, entry.after);

    // The same caption over other pixels replaces its entry.
    const auto same = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.key == key; });
    if (same != entries_.end())
        entries_.erase(same);
    if (entries_.size() >= maxEntries)
        entries_.erase(entries_.begin());
    entries_.push_back(std::move(entry));
}
