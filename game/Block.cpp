#include "game/Block.h"

#include "game/CellDrawing.h"
#include "game/Field.h"
#include "game/Random.h"
#include "game/ShapeTable.h"

Block::Block(Object* parent, std::int32_t x, std::int32_t y)
    : Map(shapes::size, shapes::size, -1), Object(parent, x, y)
{
    random15::seedFromClock();
}

void Block::setShape(std::int32_t newType, std::int32_t newRotation)
{
    type = newType;
    rotation = newRotation;
    setCells(shapes::cellsOf(type, rotation));
}

void Block::rotateCounterClockwise()
{
    setShape(type, (rotation + 1) % shapes::rotationCount);
}

void Block::rotateClockwise()
{
    setShape(type, (rotation + 3) % shapes::rotationCount);
}

void Block::rollShape()
{
    const int newRotation = random15::next() % shapes::rotationCount;
    const int newType = random15::next() % shapes::typeCount;
    setShape(newType, newRotation);
}

void Block::mergeInto(Field& field, int column, int row) const
{
    for (int i = 0; i < height(); ++i) {
        for (int j = 0; j < width(); ++j) {
            const int c = column + j;
            const int r = row + i;
            if (cell(j, i) != field.emptyValue() && c < field.width() && r < field.height())
                field.setCell(c, r, cell(j, i));
        }
    }
}

void Block::draw(DrawSurface& target)
{
    // At the exact pixel position, so a falling piece moves smoothly.
    drawFilledCells(*this, target, absoluteX(), absoluteY());
}

void Block::copyPieceFrom(const Block& other)
{
    type = other.type;
    rotation = other.rotation;
    landed = other.landed;
    setCells(other.cells());
}
