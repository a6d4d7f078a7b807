// Composing one frame of the board.
#include <algorithm>

#include "game/DrawSurface.h"
#include "game/Game.h"

void Game::paint(DrawSurface& target)
{
    const std::lock_guard<std::mutex> frame(frameLock);

    const Size client = target.size();
    const Size background = target.pictureSize(Picture::Background);
    const Size frameSize = target.pictureSize(Picture::Frame);

    // A picture smaller than the window leaves the rest of the buffer undefined.
    if (background.width < client.width || background.height < client.height)
        target.fill(PixelRect{0, 0, client.width, client.height}, 0xFFFFFF);
    target.copyPicture(Picture::Background, 0, 0);
    // The frame covers the picture only; a larger picture is blended only where
    // the frame bitmap reaches.
    target.blendPicture(Picture::Frame, std::min(background.width, frameSize.width),
                        std::min(background.height, frameSize.height), frameAlpha);

    guide.visible = guideEnabled && running;
    DrawingList::instance().forEach([&](Object& object) {
        if (object.visible)
            object.draw(target);
    });
}
