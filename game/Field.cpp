#include "game/Field.h"

#include <algorithm>

#include "game/Block.h"
#include "game/CellDrawing.h"

namespace {
constexpr std::int32_t kFlashTileEven = 6;
constexpr std::int32_t kFlashTileOdd = 7;
}  // namespace

Field::Field(std::int32_t x, std::int32_t y)
    : Map(columns, rows, -1), Object(nullptr, x, y)
{
}

bool Field::collides(const Block& block, int column, int row) const
{
    for (int i = 0; i < block.height(); ++i) {
        for (int j = 0; j < block.width(); ++j) {
            if (block.cell(j, i) == emptyValue())
                continue;
            const int c = column + j;
            const int r = row + i;
            if (c < 0 || c >= width() || r < 0 || r >= height())
                return true;
            if (cell(c, r) != block.emptyValue())
                return true;
        }
    }
    return false;
}

std::vector<int> Field::fullRows() const
{
    std::vector<int> full;
    for (int r = 0; r < height(); ++r) {
        bool rowFull = true;
        for (int c = 0; c < width() && rowFull; ++c)
            rowFull = !isEmpty(c, r);
        if (rowFull)
            full.push_back(r);
    }
    return full;
}

void Field::removeRows(std::vector<int> fullRowList, const ShowFlashFrame& showFrame)
{
    for (int frame = 0; frame < flashFrames; ++frame) {
        const std::int32_t tile = frame % 2 == 0 ? kFlashTileEven : kFlashTileOdd;
        for (int r : fullRowList) {
            for (int c = 0; c < width(); ++c)
                setCell(c, r, tile);
        }
        showFrame(flashPauseMs);
    }
    // Ascending order keeps the indexes still to remove valid: only rows above
    // a removed row move.
    std::sort(fullRowList.begin(), fullRowList.end());
    for (int r : fullRowList)
        removeRow(r);
}

void Field::removeRow(int row)
{
    for (int r = row; r >= 1; --r) {
        for (int c = 0; c < width(); ++c)
            setCell(c, r, cell(c, r - 1));
    }
    for (int c = 0; c < width(); ++c)
        setCell(c, 0, emptyValue());
}

void Field::draw(DrawSurface& target)
{
    drawFilledCells(*this, target, absoluteX(), absoluteY());
}
