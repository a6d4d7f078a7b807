#include "game/CellDrawing.h"

#include "game/DrawSurface.h"
#include "game/Map.h"

void drawFilledCells(const Map& cells, DrawSurface& target, int left, int top)
{
    for (int r = 0; r < cells.height(); ++r) {
        for (int c = 0; c < cells.width(); ++c) {
            if (!cells.isEmpty(c, r))
                target.copyTile(cells.cell(c, r), left + cellSize * c, top + cellSize * r);
        }
    }
}
