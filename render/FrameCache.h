// What painting keeps from one frame to the next: the art at the window's
// scale, the backdrop (background and frame blend) composed once, the GDI+
// objects of the captions' text and the pixels the captions left.
// The window that paints owns one, so everything in it is released before
// GDI+ shuts down. Window thread only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "game/DrawSurface.h"
#include "render/BoardScale.h"
#include "render/CaptionPixelCache.h"
#include "render/CaptionTextCache.h"
#include "render/ScaledArt.h"
#include "win/BackBuffer.h"

class ImageStore;

class FrameCache {
public:
    FrameCache() = default;
    FrameCache(const FrameCache&) = delete;
    FrameCache& operator=(const FrameCache&) = delete;

    // The tile strip and frame of these images at this scale, made on the
    // first call for them. Another scale (the window moved to a screen of
    // another DPI) or other images let go of everything kept for the old
    // ones: art, backdrop, fonts and caption pixels are made again.
    ScaledArt& art(const ImageStore& images, BoardScale scale);

    // The memory DC holding the backdrop of these images, client size, scale
    // and frame alpha, or null when it has not been composed.
    HDC backdrop(const ImageStore& images, Size clientSize, BoardScale scale, std::uint8_t frameAlpha) const;
    // A memory DC with a bitmap of the client size, for the caller to compose
    // the backdrop of these images, scale and alpha into; it replaces the one
    // kept before. Null when none can be made.
    HDC newBackdrop(HDC target, const ImageStore& images, Size clientSize, BoardScale scale,
                    std::uint8_t frameAlpha);

    CaptionTextCache& text() { return text_; }
    CaptionPixelCache& captionPixels() { return captionPixels_; }

private:
    struct BackdropKey {
        const ImageStore* images = nullptr;  // none until one is composed
        Size clientSize;
        BoardScale scale;
        std::uint8_t frameAlpha = 0;

        bool operator==(const BackdropKey& other) const;
    };

    std::optional<ScaledArt> art_;
    BackBuffer backdrop_;
    BackdropKey backdropKey_;
    CaptionTextCache text_;
    CaptionPixelCache captionPixels_;
};
