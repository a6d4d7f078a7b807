#include "render/ScaledArt.h"

#include "game/Map.h"
#include "render/ImagePixels.h"

ScaledArt::ScaledArt(const ImageStore& images, BoardScale scale)
    : images_(images),
      scale_(scale),
      // Rounded up: at a DPI that is no multiple of 6 neighbouring cells
      // lie a pixel nearer or farther apart, and a tile a pixel too large
      // is covered by the next one where a pixel too small would leave a
      // seam.
      tileSize_(scale.toDeviceCovering(cellSize)),
      tiles_(scale.isIdentity() ? &images.tileStrip() : &scaledTiles_),
      frame_(scale.isIdentity() ? &images.frame() : &scaledFrame_)
{
    if (scale.isIdentity())
        return;
    // Each tile scaled on its own, so that none takes colour from the next.
    PixelImage tiles = scaledTileStrip(pixelsOf(images.tileStrip()), cellSize, tileSize_);
    scaledTiles_ = imageOf(tiles);
    if (!scaledTiles_.empty())
        tilePixels_ = std::move(tiles);
    const Size frame = images.frame().size();
    scaledFrame_ =
        imageOf(scaledSharp(pixelsOf(images.frame()), scale.toDevice(frame.width), scale.toDevice(frame.height)));
}

const PixelImage* ScaledArt::tilePixels()
{
    if (!tilePixels_) {
        PixelImage pixels = pixelsOf(tileStrip());
        if (pixels.empty())
            return nullptr;
        tilePixels_ = std::move(pixels);
    }
    return &*tilePixels_;
}
