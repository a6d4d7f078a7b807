// The six sound effects of the game and the process-wide sound option.
#pragma once

#include <atomic>

// The sounds the game asks for; the program decides how each one sounds.
enum class SoundId {
    LinesCleared,
    Turn,
    PieceLocked,
    LevelUp,
    Move,
    GameOver,
};

// The sound option, read at every sound event. Written on the window thread,
// read on both threads.
std::atomic<bool>& soundEnabled();
