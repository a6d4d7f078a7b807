// A falling piece: a 4 x 4 grid that is also a drawable object.
#pragma once

#include "game/Map.h"
#include "game/Object.h"

class Field;

class Block : public Map, public Object {
public:
    Block(Object* parent, std::int32_t x, std::int32_t y);

    // Copies the whole 4 x 4 shape, empty cells included.
    void setShape(std::int32_t type, std::int32_t rotation);
    void rotateCounterClockwise();
    void rotateClockwise();
    // A random piece: the rotation is drawn before the type.
    void rollShape();

    // Writes the non-empty cells into the field with the block's top-left cell
    // at (column, row); cells right of or below the field are dropped.
    void mergeInto(Field& field, int column, int row) const;

    void draw(DrawSurface& target) override;

    // Takes another block's shape and landed state (not its position).
    void copyPieceFrom(const Block& other);

    // Cell column and top cell row of a piece positioned in pixels.
    int column() const { return x / cellSize; }
    int row() const { return y / cellSize; }

    // Settles a piece caught between rows onto the upper one, which was found
    // free, and forgets the fraction of a pixel it had fallen.
    void snapToRow()
    {
        y = snappedToCell(y);
        fallRemainder = 0.0f;
    }

    bool landed = false;
    std::int32_t type = 0;
    std::int32_t rotation = 0;
    float fallRemainder = 0.0f;
};
