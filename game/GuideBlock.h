// Shows, translucent, where the current piece would land if it fell straight
// down from its current column.
#pragma once

#include "game/Object.h"

class Block;
class Field;

class GuideBlock : public Object {
public:
    static constexpr std::uint8_t alpha = 128;

    GuideBlock(Field& field, const Block& block);

    // Moves the guide to the landing position of the block.
    void findLandingPosition();

    void draw(DrawSurface& target) override;

private:
    const Block* block_;
    const Field* field_;
};
