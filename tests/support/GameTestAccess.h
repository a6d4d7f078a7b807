// The tests' way to the game's locks, to change the board between ticks
// exactly as the game itself would: the game lock keeps the tick out, the
// frame lock keeps painting out.
#pragma once

#include <mutex>

#include "game/Game.h"

struct GameTestAccess {
    static std::mutex& gameLock(Game& game) { return game.lock_; }
    static std::mutex& frameLock(Game& game) { return game.frameLock_; }
};
