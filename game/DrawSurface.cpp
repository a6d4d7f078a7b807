#include "game/DrawSurface.h"

#include <algorithm>

void DrawSurface::drawBackdrop(std::uint8_t frameAlpha)
{
    const Size client = size();
    const Size background = pictureSize(Picture::Background);
    const Size frameSize = pictureSize(Picture::Frame);

    // A picture smaller than the window leaves the rest of the buffer undefined.
    if (background.width < client.width || background.height < client.height)
        fill(PixelRect{0, 0, client.width, client.height}, 0xFFFFFF);
    copyPicture(Picture::Background, 0, 0);
    // The frame covers the picture only; a larger picture is blended only where
    // the frame bitmap reaches.
    blendPicture(Picture::Frame, std::min(background.width, frameSize.width),
                 std::min(background.height, frameSize.height), frameAlpha);
}
