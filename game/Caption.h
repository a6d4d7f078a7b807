// Texts drawn over the board, with optional animation effects that advance
// once per painted frame.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/Object.h"

class Caption : public Object {
public:
    class Effect;
    class FadeOut;
    class Move;

    Caption(std::int32_t x, std::int32_t y);
    ~Caption() override;

    // Draws the text, then steps the effects; hides the caption when every
    // effect has finished.
    void draw(DrawSurface& target) override;

    // Prepares the caption for a new game.
    virtual void reset() = 0;

    // Back to the home position, visible.
    void show();

    void addFadeOut();
    void addMove(float vx, float vy);

    const std::int32_t homeX;
    const std::int32_t homeY;
    std::uint32_t color = 0xFF000000;  // ARGB
    std::int32_t fontSize = 0;         // points
    std::wstring fontFamily;
    std::wstring text;
    std::vector<std::unique_ptr<Effect>> effects;

protected:
    void rewindEffects();
};

class Caption::Effect {
public:
    virtual ~Effect() = default;
    virtual void rewind() = 0;
    virtual void step(Caption& caption) = 0;

    std::int32_t count = 0;
    bool finished = true;

protected:
    bool endRunIfDone(Caption& caption, std::int32_t duration);
};
