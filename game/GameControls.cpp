// The player's controls: moves, turns, soft drop and hard drop.
#include "game/Game.h"
#include "game/GameFrameHold.h"
#include "game/GameHost.h"

namespace {
// How long a key that found the game busy waits before it is queued again.
constexpr int kDeferredKeyDelayMs = 1;
}  // namespace

void Game::keyDown(int virtualKey)
{
    std::unique_lock<std::mutex> game(lock_, std::try_to_lock);
    if (!game.owns_lock()) {
        host_.sleep(kDeferredKeyDelayMs);
        host_.repostKey(virtualKey, true);
        return;
    }
    // A deferred key may come back after the game has stopped or paused.
    if (!running || paused)
        return;
    const FrameHold frame(*this);
    handleKey(virtualKey);

    // Whatever the key, a piece caught between rows over a blocked cell
    // settles on the upper row, which was tested free.
    if (restsOnSomething())
        current.snapToRow();
}

void Game::handleKey(int virtualKey)
{
    switch (virtualKey) {
    case keys::left: moveSideways(-1); break;
    case keys::right: moveSideways(+1); break;
    case keys::up: turn(true); break;
    case keys::down: turn(false); break;
    case keys::space:
        fallSpeed = softDropSpeed;
        lockDelayTicks = 0;
        break;
    case keys::shift: hardDrop(); break;
    default: break;
    }
}

void Game::moveSideways(int columns)
{
    if (blockedAt(current.column() + columns, current.row()))
        return;
    current.x += cellSize * columns;
    queueSound(SoundId::Move);
}

void Game::turn(bool counterClockwise)
{
    if (counterClockwise)
        current.rotateCounterClockwise();
    else
        current.rotateClockwise();

    if (!blockedAt(current.column(), current.row())) {
        queueSound(SoundId::Turn);
        return;
    }
    if (counterClockwise)
        current.rotateClockwise();
    else
        current.rotateCounterClockwise();
}

void Game::hardDrop()
{
    while (!restsOnSomething()) {
        current.fallRemainder += static_cast<float>(cellSize);
        const std::int32_t whole = static_cast<std::int32_t>(current.fallRemainder);
        current.y += whole;
        current.fallRemainder -= static_cast<float>(whole);
        stats.score += 1;
    }
    lockDelayTicks = 0;
}

void Game::keyUp(int virtualKey)
{
    if (virtualKey != keys::space && virtualKey != keys::shift)
        return;
    // keyUp changes what the tick reads, so it takes the lock the same
    // non-blocking way as keyDown.
    std::unique_lock<std::mutex> game(lock_, std::try_to_lock);
    if (!game.owns_lock()) {
        host_.sleep(kDeferredKeyDelayMs);
        host_.repostKey(virtualKey, false);
        return;
    }
    if (virtualKey == keys::space)
        fallSpeed = computeFallSpeed();
    lockDelayTicks = computeLockDelayTicks();
}

bool Game::togglePause()
{
    std::unique_lock<std::mutex> game(lock_, std::try_to_lock);
    if (!game.owns_lock())
        return false;
    if (!running)
        return true;
    const std::lock_guard<std::mutex> frame(frameLock_);
    paused = !paused;
    pauseCaption.visible = paused;
    return true;
}
