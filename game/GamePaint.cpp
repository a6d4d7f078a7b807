// Composing one frame of the board, and numbering the distinct frames.
#include <utility>

#include "game/DrawSurface.h"
#include "game/Game.h"

void Game::paint(DrawSurface& target, PaintReach reach)
{
    const std::lock_guard<std::mutex> frame(frameLock_);
    // A paint of part of the window leaves the rest showing an older frame.
    const std::uint64_t number = numberFrame();
    if (reach == PaintReach::WholeWindow)
        paintedFrame_ = number;

    target.drawBackdrop(frameAlpha);

    guide.visible = guideEnabled && running;
    DrawingList::instance().forEach([&](Object& object) {
        if (object.visible)
            object.draw(target);
    });
}

std::uint64_t Game::numberFrame()
{
    FrameState now = frameStateOf(*this);
    if (!numberedState_ || *numberedState_ != now) {
        numberedState_ = std::move(now);
        ++frameNumber_;
    }
    return frameNumber_;
}

std::uint64_t Game::frameNumber()
{
    const std::lock_guard<std::mutex> frame(frameLock_);
    return numberFrame();
}

GameResult Game::lastResult()
{
    const std::lock_guard<std::mutex> frame(frameLock_);
    return lastResult_;
}

bool Game::frameChangedSincePaint()
{
    const std::lock_guard<std::mutex> frame(frameLock_);
    return numberFrame() != paintedFrame_;
}
