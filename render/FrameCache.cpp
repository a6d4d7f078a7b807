#include "render/FrameCache.h"
#include "win/DibSection.h"

HDC FrameCache::backdrop(const ImageStore& images, Size clientSize, std::uint8_t frameAlpha) const
{
    const bool same = backdropImages_ == &images && backdropSize_.width == clientSize.width &&
                      backdropSize_.height == clientSize.height && backdropAlpha_ == frameAlpha;
    return same ? backdrop_.dc() : nullptr;
}

HDC FrameCache::newBackdrop(HDC target, const ImageStore& images, Size clientSize, std::uint8_t frameAlpha)
{
    backdropImages_ = nullptr;
    if (clientSize.width <= 0 || clientSize.height <= 0)
        return nullptr;
    const HDC dc = backdrop_.prepare(target, clientSize.width, clientSize.height);
    if (dc == nullptr)
        return nullptr;
    backdropImages_ = &images;
    backdropSize_ = clientSize;
    backdropAlpha_ = frameAlpha;
    return dc;
}

const TilePixels* FrameCache::tilePixels(const ImageStore& images) const
{
    return tileImages_ == &images && tilePixels_ ? &*tilePixels_ : nullptr;
}

const TilePixels* FrameCache::convertTiles(const ImageStore& images, HDC stripDc, Size stripSize)
{
    tilePixels_.reset();
    tileImages_ = nullptr;
    if (stripSize.width <= 0 || stripSize.height <= 0)
        return nullptr;
    void* bits = nullptr;
    const UniqueDc dc(CreateCompatibleDC(stripDc));
    const UniqueBitmap bitmap(dc ? createTopDownDib(dc.get(), stripSize.width, stripSize.height, 32, &bits)
                                 : UniqueBitmap());
    if (!bitmap || bits == nullptr)
        return nullptr;
    {
        const SelectionScope selection(dc.get(), bitmap.get());
        if (!selection.selected() ||
            !BitBlt(dc.get(), 0, 0, stripSize.width, stripSize.height, stripDc, 0, 0, SRCCOPY))
            return nullptr;
        GdiFlush();
    }
    const auto* const first = static_cast<const std::uint32_t*>(bits);
    tilePixels_.emplace(std::vector<std::uint32_t>(first, first + static_cast<std::size_t>(stripSize.width) *
                                                                      static_cast<std::size_t>(stripSize.height)),
                        stripSize.width);
    tileImages_ = &images;
    return &*tilePixels_;
}
