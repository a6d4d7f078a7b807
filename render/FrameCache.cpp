#include "render/FrameCache.h"

#include <utility>


FrameCache::~FrameCache()
{
    releaseBackdrop();
}

void FrameCache::releaseBackdrop()
{
    if (backdropDc_ && originalBitmap_ != nullptr)
        SelectObject(backdropDc_.get(), originalBitmap_);
    originalBitmap_ = nullptr;
    backdropBitmap_.reset();
    backdropDc_.reset();
    backdropImages_ = nullptr;
}

HDC FrameCache::backdrop(const ImageStore& images, Size clientSize, std::uint8_t frameAlpha) const
{
    const bool same = backdropImages_ == &images && backdropSize_.width == clientSize.width &&
                      backdropSize_.height == clientSize.height && backdropAlpha_ == frameAlpha;
    return same ? backdropDc_.get() : nullptr;
}

HDC FrameCache::newBackdrop(HDC target, const ImageStore& images, Size clientSize, std::uint8_t frameAlpha)
{
    releaseBackdrop();
    if (clientSize.width <= 0 || clientSize.height <= 0)
        return nullptr;
    UniqueDc dc(CreateCompatibleDC(target));
    UniqueBitmap bitmap(dc ? CreateCompatibleBitmap(target, clientSize.width, clientSize.height) : nullptr);
    const HGDIOBJ original = bitmap ? SelectObject(dc.get(), bitmap.get()) : nullptr;
    if (original == nullptr || original == HGDI_ERROR)
        return nullptr;
    backdropDc_ = std::move(dc);
    backdropBitmap_ = std::move(bitmap);
    originalBitmap_ = original;
    backdropImages_ = &images;
    backdropSize_ = clientSize;
    backdropAlpha_ = frameAlpha;
    return backdropDc_.get();
}
