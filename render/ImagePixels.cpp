#include "render/ImagePixels.h"

#include <algorithm>
#include <cstring>

#include "win/DibSection.h"
#include "win/Handles.h"

PixelImage pixelsOf(const Image& image) { return pixelsOf(image, image.size()); }

PixelImage pixelsOf(const Image& image, Size part)
{
    const Size size{std::min(part.width, image.size().width), std::min(part.height, image.size().height)};
    if (image.empty() || size.width <= 0 || size.height <= 0)
        return PixelImage();
    const UniqueDc sourceDc(CreateCompatibleDC(nullptr));
    const UniqueDc targetDc(CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    const UniqueBitmap target(targetDc ? createTopDownDib(targetDc.get(), size.width, size.height, 32, &bits)
                                       : UniqueBitmap());
    if (!sourceDc || !target || bits == nullptr)
        return PixelImage();
    {
        const SelectionScope source(sourceDc.get(), image.bitmap());
        const SelectionScope selection(targetDc.get(), target.get());
        if (!source.selected() || !selection.selected() ||
            !BitBlt(targetDc.get(), 0, 0, size.width, size.height, sourceDc.get(), 0, 0, SRCCOPY))
            return PixelImage();
        GdiFlush();
    }
    const auto* const first = static_cast<const std::uint32_t*>(bits);
    return PixelImage(size.width, size.height,
                      std::vector<std::uint32_t>(first, first + static_cast<std::size_t>(size.width) * size.height));
}

Image imageOf(const PixelImage& pixels)
{
    if (pixels.empty())
        return Image();
    void* bits = nullptr;
    UniqueBitmap bitmap = createTopDownDib(nullptr, pixels.width(), pixels.height(), 32, &bits);
    if (!bitmap || bits == nullptr)
        return Image();
    std::memcpy(bits, pixels.pixels().data(), sizeof(std::uint32_t) * pixels.pixels().size());
    return Image(std::move(bitmap));
}
