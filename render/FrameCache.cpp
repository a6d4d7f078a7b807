#include "render/FrameCache.h"

bool FrameCache::BackdropKey::operator==(const BackdropKey& other) const
{
    return images == other.images && clientSize.width == other.clientSize.width &&
           clientSize.height == other.clientSize.height && scale == other.scale && frameAlpha == other.frameAlpha;
}

ScaledArt& FrameCache::art(const ImageStore& images, BoardScale scale)
{
    if (!art_ || !art_->madeFor(images, scale)) {
        // The old scale's fonts and pixels would only pile up.
        text_ = CaptionTextCache();
        captionPixels_ = CaptionPixelCache();
        backdropKey_ = BackdropKey();
        art_.reset();
        art_.emplace(images, scale);
    }
    return *art_;
}

HDC FrameCache::backdrop(const ImageStore& images, Size clientSize, BoardScale scale, std::uint8_t frameAlpha) const
{
    return backdropKey_ == BackdropKey{&images, clientSize, scale, frameAlpha} ? backdrop_.dc() : nullptr;
}

HDC FrameCache::newBackdrop(HDC target, const ImageStore& images, Size clientSize, BoardScale scale,
                            std::uint8_t frameAlpha)
{
    backdropKey_ = BackdropKey();
    if (clientSize.width <= 0 || clientSize.height <= 0)
        return nullptr;
    const HDC dc = backdrop_.prepare(target, clientSize.width, clientSize.height);
    if (dc == nullptr)
        return nullptr;
    backdropKey_ = BackdropKey{&images, clientSize, scale, frameAlpha};
    return dc;
}
