// The six sound effects and the process-wide sound option.
#pragma once

#include <atomic>

class GameHost;

// Resource identifiers of the sounds.
enum class SoundId : int {
    LinesCleared = 40015,
    Turn = 40020,
    PieceLocked = 40025,
    LevelUp = 40030,
    Move = 40035,
    GameOver = 40040,
};

// The sound option, read at every sound event. Written on the window thread,
// read on both threads.
std::atomic<bool>& soundEnabled();

// Plays the sound through the host if the sound option is on.
void playSoundEffect(GameHost& host, SoundId sound);
