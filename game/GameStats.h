// The counters of one game and the scoring rule for line clears.
#pragma once

#include <cstdint>

struct GameStats {
    // Scores a clear of n lines; true when the level changed.
    bool addLines(int n);
    // Zeroes everything but linesPerLevel.
    void reset();

    std::int32_t linesPerLevel = 30;
    bool backToBack = false;
    std::int32_t score = 0;
    std::int32_t lines = 0;
    std::int32_t level = 0;
    float levelProgress = 0.0f;
};
