// The four captions of a game: level up, line clears, pause and the score panel.
#pragma once

#include "game/Caption.h"

struct GameStats;

class CaptionLevelUp : public Caption {
public:
    using Caption::Caption;
    void reset() override;
};

class CaptionDelete : public Caption {
public:
    using Caption::Caption;
    void reset() override;
    using Caption::show;
    // Announces a clear of 1 to 4 lines; four after four is back-to-back.
    void show(int lines);

    bool backToBack = false;
};

class CaptionPause : public Caption {
public:
    using Caption::Caption;
    void reset() override;
};

class CaptionScore : public Caption {
public:
    CaptionScore(std::int32_t x, std::int32_t y, const GameStats& stats);
    void reset() override;
    // Rewrites the panel from the statistics.
    void update();

    const GameStats* stats;
};
