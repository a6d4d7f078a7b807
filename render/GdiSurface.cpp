#include "render/GdiSurface.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/ImagePixels.h"
#include "render/PixelScaling.h"
#include "win/GdiplusApi.h"
#include "win/GdiplusSession.h"

namespace {

// The images carry no alpha channel, so every blend uses a constant alpha.
BLENDFUNCTION constantAlpha(std::uint8_t alpha) { return BLENDFUNCTION{AC_SRC_OVER, 0, alpha, 0}; }

// What AlphaBlend makes of a constant-alpha blend, each byte rounded.
std::uint32_t blendedPixel(std::uint32_t source, std::uint32_t target, std::uint8_t alpha)
{
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t s = (source >> shift) & 0xFF;
        const std::uint32_t t = (target >> shift) & 0xFF;
        result |= ((s * alpha + t * (255u - alpha) + 127u) / 255u) << shift;
    }
    return result;
}

COLORREF colorRefFromRgb(std::uint32_t rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

float captionPixelSize(std::int32_t pointSize, BoardScale scale)
{
    constexpr float pointsPerInch = 72.0f;
    return static_cast<float>(pointSize) * static_cast<float>(scale.dpi()) / pointsPerInch;
}

GdiSurface::ImageSource::ImageSource(HDC target, const Image& image)
    : image_(image), dc_(CreateCompatibleDC(target)), selection_(dc_.get(), image.bitmap())
{
}

GdiSurface::GdiSurface(HDC target, Size clientSize, const ImageStore& images, FrameCache* cache, BoardScale scale)
    : target_(target),
      clientSize_(clientSize),
      images_(images),
      cache_(cache),
      scale_(scale),
      art_(cache != nullptr ? &cache->art(images, scale) : &ownArt_.emplace(images, scale))
{
}

// An image's DC is made when a frame first draws from it: with the cache, a
// frame usually needs none.
const GdiSurface::ImageSource& GdiSurface::sourceOf(std::optional<ImageSource>& slot, const Image& image) const
{
    if (!slot)
        slot.emplace(target_, image);
    return *slot;
}

const GdiSurface::ImageSource& GdiSurface::tiles() const { return sourceOf(tiles_, art_->tileStrip()); }

bool GdiSurface::tileInStrip(int tile) const
{
    const Size strip = art_->tileStrip().size();
    const int side = art_->tileSize();
    return !art_->tileStrip().empty() && tile >= 0 && (tile + 1) * side <= strip.width && strip.height >= side;
}

void GdiSurface::copyTile(int tile, int x, int y)
{
    if (!tileInStrip(tile))
        return;
    const int left = scale_.toDevice(x);
    const int top = scale_.toDevice(y);
    if (const PixelImage* strip = directTiles()) {
        forEachTileRow(*strip, tile, left, top, [](std::uint32_t* to, const std::uint32_t* from, int count) {
            std::memcpy(to, from, sizeof(std::uint32_t) * static_cast<std::size_t>(count));
        });
        return;
    }
    const int side = art_->tileSize();
    if (tiles().usable())
        BitBlt(target_, left, top, side, side, tiles().dc(), tile * side, 0, SRCCOPY);
    gdiPending_ = true;
}

void GdiSurface::blendTile(int tile, int x, int y, std::uint8_t alpha)
{
    if (!tileInStrip(tile))
        return;
    const int left = scale_.toDevice(x);
    const int top = scale_.toDevice(y);
    if (const PixelImage* strip = directTiles()) {
        forEachTileRow(*strip, tile, left, top, [alpha](std::uint32_t* to, const std::uint32_t* from, int count) {
            for (int i = 0; i < count; ++i)
                to[i] = blendedPixel(from[i], to[i], alpha);
        });
        return;
    }
    const int side = art_->tileSize();
    if (tiles().usable())
        AlphaBlend(target_, left, top, side, side, tiles().dc(), tile * side, 0, side, side, constantAlpha(alpha));
    gdiPending_ = true;
}

// The tile strip as pixels of the target's format, when the target's pixels
// can be reached directly: a tile is then a few row copies instead of a GDI
// call each.
const PixelImage* GdiSurface::directTiles()
{
    if (directPixels() == nullptr)
        return nullptr;
    const PixelImage* strip = art_->tilePixels();
    if (strip != nullptr && gdiPending_) {
        GdiFlush();  // what GDI still holds back lands before the pixels are written
        gdiPending_ = false;
    }
    return strip;
}

const DibPixels* GdiSurface::directPixels()
{
    if (!directChecked_) {
        directChecked_ = true;
        if (cache_ != nullptr)
            direct_ = pixelsOfTarget();
    }
    return direct_ ? &*direct_ : nullptr;
}

// In device pixels: (left, top) is the tile's top left on the target.
template <class CopyRow>
void GdiSurface::forEachTileRow(const PixelImage& strip, int tile, int left, int top, CopyRow copyRow)
{
    const DibPixels& pixels = *direct_;
    const int side = art_->tileSize();
    const int right = std::min({left + side, pixels.width(), clientSize_.width});
    const int bottom = std::min({top + side, pixels.height(), clientSize_.height});
    const int firstColumn = std::max(left, 0);
    const int firstRow = std::max(top, 0);
    if (firstColumn >= right || firstRow >= bottom)
        return;
    for (int row = firstRow; row < bottom; ++row)
        copyRow(pixels.row(row) + firstColumn, strip.row(row - top) + tile * side + (firstColumn - left),
                right - firstColumn);
}

// In board coordinates: the store's own sizes.
Size GdiSurface::pictureSize(Picture picture) const
{
    return picture == Picture::Frame ? images_.frame().size() : images_.background().size();
}

const GdiSurface::ImageSource& GdiSurface::source(Picture picture) const
{
    return picture == Picture::Frame ? sourceOf(frame_, art_->frame())
                                     : sourceOf(background_, images_.background());
}

void GdiSurface::copyPicture(Picture picture, int x, int y)
{
    if (picture == Picture::Background && !scale_.isIdentity()) {
        copyBackground(x, y);
        return;
    }
    const ImageSource& image = source(picture);
    if (image.usable())
        BitBlt(target_, scale_.toDevice(x), scale_.toDevice(y), image.size().width, image.size().height, image.dc(),
               0, 0, SRCCOPY);
    gdiPending_ = true;
}

// The user's picture is no art: it is scaled with a smooth filter, as far
// as the client area shows it. With a cache this happens once per scale,
// when the backdrop is composed.
void GdiSurface::copyBackground(int x, int y)
{
    const Image& picture = images_.background();
    const int left = scale_.toDevice(x);
    const int top = scale_.toDevice(y);
    const Size scaled = scale_.toDevice(picture.size());
    const Size visible{clientSize_.width - left, clientSize_.height - top};
    const Size needed = smoothSourceNeeded(picture.size(), scaled, visible);
    const Image shown = imageOf(scaledSmooth(pixelsOf(picture, needed), picture.size(), scaled, visible));
    if (shown.empty())
        return;
    const ImageSource image(target_, shown);
    if (image.usable())
        BitBlt(target_, left, top, image.size().width, image.size().height, image.dc(), 0, 0, SRCCOPY);
    gdiPending_ = true;
}

void GdiSurface::blendPicture(Picture picture, int width, int height, std::uint8_t alpha)
{
    const ImageSource& image = source(picture);
    // AlphaBlend refuses a source rectangle that leaves the bitmap and would
    // then draw nothing at all; blending the part that exists is what the
    // caller means.
    width = std::min(scale_.toDevice(width), image.size().width);
    height = std::min(scale_.toDevice(height), image.size().height);
    if (!image.usable() || width <= 0 || height <= 0)
        return;
    AlphaBlend(target_, 0, 0, width, height, image.dc(), 0, 0, width, height, constantAlpha(alpha));
    gdiPending_ = true;
}

void GdiSurface::fill(const PixelRect& rect, std::uint32_t rgb)
{
    const UniqueBrush brush(CreateSolidBrush(colorRefFromRgb(rgb)));
    const RECT area{scale_.toDevice(rect.left), scale_.toDevice(rect.top), scale_.toDevice(rect.right),
                    scale_.toDevice(rect.bottom)};
    if (brush)
        FillRect(target_, &area, brush.get());
    gdiPending_ = true;
}

void GdiSurface::drawText(const std::wstring& text, const TextStyle& style, const LayoutRect& boardLayout)
{
    // GDI+ on Windows refuses a font of no size; wine would choose one.
    if (text.empty() || style.pointSize <= 0 || !GdiplusSession::running())
        return;

    // Without a cache, every object is made for this one caption.
    CaptionTextCache ownTools;
    CaptionTextCache& tools = cache_ ? cache_->text() : ownTools;
    gdip::GpFont* const font = tools.font(style, scale_);
    gdip::GpSolidFill* const brush = tools.brush(style.color);
    gdip::GpStringFormat* const format = tools.format();
    if (font == nullptr || brush == nullptr || format == nullptr)
        return;

    // Laid out in device pixels: the text is drawn at the screen's
    // resolution, not drawn small and enlarged.
    const LayoutRect layout{scale_.toDevice(boardLayout.left), scale_.toDevice(boardLayout.top),
                            scale_.toDevice(boardLayout.width), scale_.toDevice(boardLayout.height)};
    gdip::UniqueGraphics graphics;
    auto graphicsFor = [&]() -> gdip::GpGraphics* {
        if (graphics)
            return graphics.get();
        if (gdip::GdipCreateFromHDC(target_, graphics.put()) != gdip::Ok) {
            graphics.release();
            return nullptr;
        }
        // The format already clips to the rectangle on Windows; wine's GDI+
        // lets lower lines spill out unless the graphics clips too.
        gdip::GdipSetClipRect(graphics.get(), layout.left, layout.top, layout.width, layout.height,
                              gdip::CombineModeReplace);
        return graphics.get();
    };
    auto draw = [&] {
        if (gdip::GpGraphics* const target = graphicsFor()) {
            const gdip::RectF area(layout.left, layout.top, layout.width, layout.height);
            gdip::GdipDrawString(target, text.c_str(), -1, font, &area, format, brush);
            // Everything drawn is in the pixels before they are read back.
            gdip::GdipFlush(target, gdip::FlushIntentionSync);
        }
    };

    const DibPixels* const pixels = directPixels();
    const RECT region =
        pixels ? textRegion(tools.inkExtent(text, style, scale_, layout.width), layout, *pixels) : RECT{};
    gdiPending_ = true;
    if (region.right <= region.left || region.bottom <= region.top) {
        draw();
        return;
    }
    cache_->captionPixels().draw(*pixels, CaptionPixelCache::Key{text, style, scale_, layout}, region, draw);
}

std::optional<DibPixels> GdiSurface::pixelsOfTarget() const
{
    // Kept pixels are in client coordinates: only a paint of the whole
    // client area, from the origin, can use them.
    POINT origin{};
    if (!GetViewportOrgEx(target_, &origin) || origin.x != 0 || origin.y != 0)
        return std::nullopt;
    return DibPixels::of(target_);
}

// The pixels the text can change, in device pixels: its ink with a margin
// for what smoothing a colour other than the probes' may add, within the
// clipping rectangle, the client area and the pixels.
RECT GdiSurface::textRegion(const RECT& ink, const LayoutRect& layout, const DibPixels& pixels) const
{
    if (ink.right <= ink.left)
        return RECT{};
    constexpr LONG margin = 2;
    const LONG left = static_cast<LONG>(std::floor(layout.left));
    const LONG top = static_cast<LONG>(std::floor(layout.top));
    const RECT inked{left + ink.left - margin, top + ink.top - margin, left + ink.right + margin,
                     top + ink.bottom + margin};
    const RECT clip{left, top, static_cast<LONG>(std::ceil(layout.left + layout.width)),
                    static_cast<LONG>(std::ceil(layout.top + layout.height))};
    const RECT available{0, 0, std::min(pixels.width(), clientSize_.width), std::min(pixels.height(), clientSize_.height)};
    RECT region{};
    RECT clipped{};
    if (!IntersectRect(&clipped, &inked, &clip) || !IntersectRect(&region, &clipped, &available))
        return RECT{};
    return region;
}

void GdiSurface::drawBackdrop(std::uint8_t frameAlpha)
{
    if (cache_ == nullptr) {
        DrawSurface::drawBackdrop(frameAlpha);
        return;
    }
    HDC composed = cache_->backdrop(images_, clientSize_, scale_, frameAlpha);
    if (composed == nullptr) {
        composed = cache_->newBackdrop(target_, images_, clientSize_, scale_, frameAlpha);
        if (composed == nullptr) {
            DrawSurface::drawBackdrop(frameAlpha);
            return;
        }
        // Composed by this surface, whose DCs hold the images, with the same
        // operations as a frame without the cache: the copy is the same pixels.
        const HDC frameTarget = target_;
        target_ = composed;
        DrawSurface::drawBackdrop(frameAlpha);
        target_ = frameTarget;
    }
    BitBlt(target_, 0, 0, clientSize_.width, clientSize_.height, composed, 0, 0, SRCCOPY);
    gdiPending_ = true;
}
