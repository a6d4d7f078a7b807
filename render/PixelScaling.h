// Images as 32-bit pixels, and the two ways the board's images are scaled
// for a screen of another DPI. Platform-free, so that it is tested natively.
#pragma once

#include <cstdint>
#include <vector>

#include "game/DrawSurface.h"

// Pixels 0xAARRGGBB (or 0x00RRGGBB), row by row from the top.
class PixelImage {
public:
    PixelImage() = default;
    PixelImage(int width, int height, std::uint32_t fill = 0);
    PixelImage(int width, int height, std::vector<std::uint32_t> pixels);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ <= 0 || height_ <= 0; }

    const std::uint32_t* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    std::uint32_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    std::uint32_t at(int x, int y) const { return row(y)[x]; }
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }

    bool operator==(const PixelImage& other) const
    {
        return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// Art (tiles, the frame) at width x height, kept sharp: each target pixel
// takes the colours of the source area it covers. At a whole multiple of the
// size each pixel becomes a whole square of pixels; otherwise a target pixel
// that an edge runs through blends the two colours beside it, and nothing
// else blurs: the same as enlarging by nearest neighbour to the next whole
// multiple and reducing that by area.
PixelImage scaledSharp(const PixelImage& source, int width, int height);

// A picture (the background) of pictureSize scaled to `scaled` with a smooth
// filter: linear interpolation where it grows, the area each pixel covers
// where it shrinks. Only the top left `visible` part of the result is made,
// from `source`, which holds the picture's top left part: at least the part
// that smoothSourceNeeded names.
PixelImage scaledSmooth(const PixelImage& source, Size pictureSize, Size scaled, Size visible);
Size smoothSourceNeeded(Size pictureSize, Size scaled, Size visible);

// A strip of square tiles of tileSize side by side, each scaled by
// scaledSharp to scaledTileSize on its own, so that no tile takes colour
// from its neighbour.
PixelImage scaledTileStrip(const PixelImage& strip, int tileSize, int scaledTileSize);
