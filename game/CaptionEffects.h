// The two caption animations: a fade of the text's alpha and a rise.
#pragma once

#include "game/Caption.h"

class Caption::FadeOut : public Caption::Effect {
public:
    void rewind() override { count = 0; }
    // The alpha falls with the square of the elapsed part of the run.
    void step(Caption& caption) override;

    std::int32_t duration = 50;
    std::int32_t savedAlpha = 0;
    std::int32_t savedRed = 0;
    std::int32_t savedGreen = 0;
    std::int32_t savedBlue = 0;
};

class Caption::Move : public Caption::Effect {
public:
    // Positive steps move the caption left and up.
    Move(float vx, float vy) : vx(vx), vy(vy) {}

    void rewind() override { count = 0; }
    void step(Caption& caption) override;

    std::int32_t startX = 0;
    std::int32_t startY = 0;
    std::int32_t duration = 50;
    float vx;
    float vy;
};
