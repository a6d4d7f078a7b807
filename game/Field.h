// The playfield: 10 columns by 20 rows of 16-pixel cells holding every piece
// that has locked.
#pragma once

#include <functional>
#include <vector>

#include "game/Map.h"
#include "game/Object.h"

class Block;

class Field : public Map, public Object {
public:
    static constexpr int columns = 10;
    static constexpr int rows = 20;
    static constexpr int flashFrames = 4;
    static constexpr int flashPauseMs = 30;

    Field(std::int32_t x, std::int32_t y);

    void clear(std::int32_t value) { fill(value); }

    // True when the block, with its top-left cell at (column, row), would
    // leave the field (the top edge is a wall too) or overlap a filled cell.
    // Empty cells of the block never count.
    bool collides(const Block& block, int column, int row) const;

    // The rows without an empty cell, top to bottom.
    std::vector<int> fullRows() const;

    // Called after each flash frame has been written; must show the frame and
    // return after the given pause.
    using ShowFlashFrame = std::function<void(int pauseMs)>;

    // Flashes the rows (tiles 6, 7, 6, 7), then removes them, moving the rows
    // above down.
    void removeRows(std::vector<int> fullRowList, const ShowFlashFrame& showFrame);

    void draw(DrawSurface& target) override;

private:
    void removeRow(int row);
};
