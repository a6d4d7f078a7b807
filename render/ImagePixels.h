// Between the images painting draws from (DIB sections) and 32-bit pixels
// in memory, which scaling and the direct copies into a back buffer use.
#pragma once

#include "render/ImageStore.h"
#include "render/PixelScaling.h"

// The image's pixels as GDI converts them for a 32-bit target; empty when
// the image is empty or cannot be read.
PixelImage pixelsOf(const Image& image);
// The same for the image's top left part of at most that size.
PixelImage pixelsOf(const Image& image, Size part);

// A 32-bit DIB section holding the pixels; empty when none can be made.
Image imageOf(const PixelImage& pixels);
