// What painting keeps from one frame to the next: the backdrop (background
// and frame blend) composed once, the GDI+ objects of the captions' text and
// the pixels the captions left.
// The window that paints owns one, so everything in it is released before
// GDI+ shuts down. Window thread only.
#pragma once

#include <windows.h>

#include "game/DrawSurface.h"
#include "render/CaptionPixelCache.h"
#include "render/CaptionTextCache.h"
#include "win/BackBuffer.h"
#include "win/Handles.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class ImageStore;

// An image as 32-bit pixels, row by row from the top, as GDI converts it for
// a 32-bit target.
class TilePixels {
public:
    TilePixels(std::vector<std::uint32_t> pixels, int width) : pixels_(std::move(pixels)), width_(width) {}

    const std::uint32_t* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }

private:
    std::vector<std::uint32_t> pixels_;
    int width_;
};

class FrameCache {
public:
    FrameCache() = default;
    FrameCache(const FrameCache&) = delete;
    FrameCache& operator=(const FrameCache&) = delete;

    // The memory DC holding the backdrop of these images, client size and
    // frame alpha, or null when it has not been composed.
    HDC backdrop(const ImageStore& images, Size clientSize, std::uint8_t frameAlpha) const;
    // A memory DC with a bitmap of the client size, for the caller to compose
    // the backdrop of these images and alpha into; it replaces the one kept
    // before. Null when none can be made.
    HDC newBackdrop(HDC target, const ImageStore& images, Size clientSize, std::uint8_t frameAlpha);

    // The tile strip of these images as 32-bit pixels, or null before
    // convertTiles has made it.
    const TilePixels* tilePixels(const ImageStore& images) const;
    // Converts the strip, selected into stripDc, once for these images.
    const TilePixels* convertTiles(const ImageStore& images, HDC stripDc, Size stripSize);

    CaptionTextCache& text() { return text_; }
    CaptionPixelCache& captionPixels() { return captionPixels_; }

private:
    BackBuffer backdrop_;
    // What the kept backdrop was composed for; no images until it is.
    const ImageStore* backdropImages_ = nullptr;
    Size backdropSize_;
    std::uint8_t backdropAlpha_ = 0;
    const ImageStore* tileImages_ = nullptr;
    std::optional<TilePixels> tilePixels_;
    CaptionTextCache text_;
    CaptionPixelCache captionPixels_;
};
