#include "game/GuideBlock.h"

#include "game/Block.h"
#include "game/DrawSurface.h"
#include "game/Field.h"

GuideBlock::GuideBlock(Field& field, const Block& block)
    : Object(&field, 0, 0), block(&block), field(&field)
{
}

void GuideBlock::findLandingPosition()
{
    x = snappedToCell(block->x);
    y = snappedToCell(block->y);
    while (!field->collides(*block, x / cellSize, y / cellSize + 1))
        y += cellSize;
}

void GuideBlock::draw(DrawSurface& target)
{
    findLandingPosition();
    const int left = absoluteX();
    const int top = absoluteY();
    for (int r = 0; r < block->height(); ++r) {
        for (int c = 0; c < block->width(); ++c) {
            if (!block->isEmpty(c, r))
                target.blendTile(block->cell(c, r), left + cellSize * c, top + cellSize * r, alpha);
        }
    }
}
