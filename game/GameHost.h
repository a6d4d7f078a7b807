// What the game core asks of the program around it. The Windows program
// implements it with its window; tests implement it with a recorder.
#pragma once

#include <cstdint>

#include "game/SoundEffects.h"

class GameHost {
public:
    virtual ~GameHost() = default;

    // Paints the board now and returns when it has been painted. Called by the
    // tick, on the timer thread, while it holds the game's lock (the line-clear
    // flash): the window thread must never wait for that lock.
    virtual void repaintAndWait() = 0;

    // Blocks the calling thread (the flash's pause, the deferral of a key).
    virtual void sleep(int milliseconds) = 0;

    // Queues the game-over notice for the window thread; never runs it inline.
    // The number tells which game ended, so that a notice that arrives after
    // the player has started another game can be recognised as stale.
    // Returns false when the notice could not be queued; the game posts it
    // again at its next tick.
    virtual bool postGameOver(std::uint32_t gameNumber) = 0;

    // Queues a key that found the game busy, to be handled again later.
    virtual void repostKey(int virtualKey, bool keyDown) = 0;

    // Starts a sound; a new sound replaces one playing. Only called while the
    // sound option is on, and never while painting may be kept waiting: the
    // call may block for a while (under wine it waits for the playback it
    // stops).
    virtual void playSound(SoundId sound) = 0;
};
