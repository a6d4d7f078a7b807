// The tile strip and the frame at the size a board scale draws them. Scaling
// is made once per scale and kept (the window's FrameCache keeps it): at the
// board's own scale they are the store's images themselves.
#pragma once

#include <optional>

#include "render/BoardScale.h"
#include "render/ImageStore.h"
#include "render/PixelScaling.h"

class ScaledArt {
public:
    // The store outlives the art.
    ScaledArt(const ImageStore& images, BoardScale scale);
    ScaledArt(const ScaledArt&) = delete;
    ScaledArt& operator=(const ScaledArt&) = delete;

    bool madeFor(const ImageStore& images, BoardScale scale) const { return &images == &images_ && scale == scale_; }

    // Empty when the store's image is, or when it could not be scaled.
    const Image& tileStrip() const { return *tiles_; }
    const Image& frame() const { return *frame_; }
    // The side of one tile in device pixels.
    int tileSize() const { return tileSize_; }

    // The tile strip as 32-bit pixels, for copies straight into a 32-bit
    // target; read on the first call. Null when it cannot be read.
    const PixelImage* tilePixels();

private:
    const ImageStore& images_;
    BoardScale scale_;
    int tileSize_;
    Image scaledTiles_;
    Image scaledFrame_;
    const Image* tiles_;  // the store's or the scaled one
    const Image* frame_;
    std::optional<PixelImage> tilePixels_;
};
