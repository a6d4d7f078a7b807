#include "game/GuideBlock.h"

#include "game/Block.h"
#include "game/DrawSurface.h"
#include "game/Field.h"

GuideBlock::GuideBlock(Field& field, const Block& block)
    : Object(&field, 0, 0), block_(&block), field_(&field)
{
}

void GuideBlock::findLandingPosition()
{
    x = snappedToCell(block_->x);
    y = snappedToCell(block_->y);
    while (!field_->collides(*block_, x / cellSize, y / cellSize + 1))
        y += cellSize;
}

void GuideBlock::draw(DrawSurface& target)
{
    findLandingPosition();
    const int left = absoluteX();
    const int top = absoluteY();
    for (int r = 0; r < block_->height(); ++r) {
        for (int c = 0; c < block_->width(); ++c) {
            if (!block_->isEmpty(c, r))
                target.blendTile(block_->cell(c, r), left + cellSize * c, top + cellSize * r, alpha);
        }
    }
}
