#include "game/Game.h"

#include <algorithm>

#include "game/GameFrameHold.h"
#include "game/GameHost.h"

Game::Game(GameHost& host)
    : field(fieldOrigin.x, fieldOrigin.y),
      guide(field, current),
      current(&field, spawnOffset.x, spawnOffset.y),
      next(nullptr, nextOrigin.x, nextOrigin.y),
      levelUpCaption(30, 160),
      deleteCaption(40, 160),
      pauseCaption(40, 150),
      scoreCaption(175, 160, stats),
      host_(host)
{
    // The most a step asks for before it releases the frame lock.
    queuedSounds_.reserve(4);
    levelUpCaption.addMove(0.0f, 0.3f);
    deleteCaption.addFadeOut();
    deleteCaption.addMove(0.0f, 0.25f);
}

bool Game::newGame()
{
    std::unique_lock<std::mutex> game(lock_, std::try_to_lock);
    if (!game.owns_lock())
        return false;
    const std::lock_guard<std::mutex> frame(frameLock_);

    field.clear(field.emptyValue());
    field.visible = true;

    // The draws: current rotation and type, then next rotation and type.
    startPiece(current, spawnOffset);
    startPiece(next, nextOrigin);

    stats.reset();
    levelUpCaption.reset();
    deleteCaption.reset();
    pauseCaption.reset();
    scoreCaption.reset();

    ++gameNumber_;
    // A notice the window never took belongs to a game that no longer matters.
    gameOverDue_ = false;
    running = true;
    paused = false;
    lockCounter = 0;
    lockDelayTicks = computeLockDelayTicks();
    fallSpeed = computeFallSpeed();
    return true;
}

void Game::startPiece(Block& piece, Point position)
{
    piece.fallRemainder = 0.0f;
    piece.landed = false;
    piece.rollShape();
    piece.x = position.x;
    piece.y = position.y;
    piece.visible = true;
}

bool Game::tick()
{
    const std::lock_guard<std::mutex> game(lock_);
    bool repaint = false;
    {
        FrameHold frame(*this);
        // Ticks can still arrive after the game has ended, until the window
        // has stopped the timer; an ended game must not end a second time.
        if (running)
            advance(frame);
        repaint = numberFrame() != paintedFrame_;
    }
    // Like the sounds, the notice goes out only once painting can go on. One
    // the window's queue refused is posted again at the next tick: the
    // window stops the timer only when the notice has reached it.
    if (gameOverDue_)
        gameOverDue_ = !host_.postGameOver(gameNumber_);
    return repaint;
}

void Game::advance(FrameHold& frame)
{
    if (!current.landed) {
        fall();
    } else if (!restsOnSomething()) {
        // The player has moved the piece off its support.
        current.landed = false;
        lockCounter = 0;
    } else if (lockCounter < lockDelayTicks) {
        ++lockCounter;
    } else {
        lockPiece(frame);
    }
}

void Game::fall()
{
    const float f = current.fallRemainder + fallSpeed;
    const std::int32_t whole = static_cast<std::int32_t>(f);
    current.y += whole;
    current.fallRemainder = f - static_cast<float>(whole);
    if (restsOnSomething()) {
        current.snapToRow();
        current.landed = true;
    }
    if (fallSpeed == softDropSpeed) {
        stats.score += 1;
        scoreCaption.update();
    }
}

void Game::lockPiece(FrameHold& frame)
{
    queueSound(SoundId::PieceLocked);
    current.mergeInto(field, current.column(), current.row());
    const std::vector<int> rows = field.fullRows();
    if (!rows.empty())
        clearRows(rows, frame);
    spawnNextPiece();
    fallSpeed = computeFallSpeed();
    lockCounter = 0;
}

void Game::clearRows(const std::vector<int>& rows, FrameHold& frame)
{
    // The piece's cells are in the field now; the piece is not drawn over the flash.
    current.visible = false;
    field.removeRows(rows, [&](int pauseMs) {
        // Painting needs the frame lock while this thread waits for it.
        frame.release();
        host_.repaintAndWait();
        host_.sleep(pauseMs);
        frame.retake();
    });
    if (stats.addLines(static_cast<int>(rows.size()))) {
        levelUpCaption.show();
        queueSound(SoundId::LevelUp);
    } else {
        deleteCaption.show(static_cast<int>(rows.size()));
        queueSound(SoundId::LinesCleared);
    }
    scoreCaption.update();
    current.visible = true;
}

void Game::spawnNextPiece()
{
    current.copyPieceFrom(next);
    current.x = spawnOffset.x;
    current.y = spawnOffset.y;
    if (blockedAt(current.column(), current.row()))
        gameOver();
    next.rollShape();
    next.x = nextOrigin.x;
    next.y = nextOrigin.y;
}

void Game::gameOver()
{
    queueSound(SoundId::GameOver);
    running = false;
    paused = false;
    lastResult_ = GameResult{gameNumber_, stats.score, stats.lines};
    gameOverDue_ = true;
}

void Game::queueSound(SoundId sound)
{
    // The option as it is at the moment of the event.
    if (soundEnabled().load())
        queuedSounds_.push_back(sound);
}

void Game::startQueuedSounds()
{
    for (const SoundId sound : queuedSounds_)
        host_.playSound(sound);
    queuedSounds_.clear();
}

namespace {
// scale p + base, with the product rounded to float32 before the addition:
// stored in a float, it cannot stay in a wider x87 register on 32-bit builds.
float bandSpeed(float scale, float p, float base)
{
    const float scaled = scale * p;
    return scaled + base;
}
}  // namespace

float Game::computeFallSpeed() const
{
    const float p = stats.levelProgress;
    const std::int32_t level = stats.level;
    if (level <= 1)
        return bandSpeed(1.0f, p, 0.5f);
    if (level <= 3)
        return bandSpeed(2.0f, p, 0.5f);
    if (level <= 5)
        return bandSpeed(3.0f, p, 1.0f);
    if (level <= 7)
        return bandSpeed(4.0f, p, 1.0f);
    return bandSpeed(5.0f, p, 2.0f);
}

std::int32_t Game::computeLockDelayTicks() const
{
    constexpr std::int32_t msPerLevelAboveEight = 50;
    constexpr std::int32_t shortestDelayMs = 100;
    std::int32_t delayMs = baseLockDelay - msPerLevelAboveEight * std::max(0, stats.level - 8);
    if (delayMs <= shortestDelayMs)
        delayMs = shortestDelayMs;
    return delayMs / msPerTick;
}

bool Game::blockedAt(int column, int row) const
{
    return field.collides(current, column, row);
}

bool Game::restsOnSomething() const
{
    return blockedAt(current.column(), current.row() + 1);
}
