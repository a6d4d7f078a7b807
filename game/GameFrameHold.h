// The frame lock as a step of the game holds it, always inside the game lock.
// Releasing it starts the sounds the step asked for meanwhile: a sound call
// may block, and painting waits for this lock.
#pragma once

#include <mutex>

#include "game/Game.h"

class Game::FrameHold {
public:
    explicit FrameHold(Game& game) : game_(game), lock_(game.frameLock_) {}
    ~FrameHold() { release(); }

    FrameHold(const FrameHold&) = delete;
    FrameHold& operator=(const FrameHold&) = delete;

    void release()
    {
        if (lock_.owns_lock())
            lock_.unlock();
        game_.startQueuedSounds();
    }

    void retake() { lock_.lock(); }

private:
    Game& game_;
    std::unique_lock<std::mutex> lock_;
};
