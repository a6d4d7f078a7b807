#include "game/ShapeTable.h"

#include <array>

namespace shapes {
namespace {

struct CellPos {
    int column;
    int row;
};
using ShapeCells = std::array<CellPos, 4>;

// Occupied (column, row) cells by type, then rotation. Each step of the
// rotation index is a quarter turn counter-clockwise on screen.
constexpr ShapeCells kShapes[typeCount][rotationCount] = {
    // 0: straight bar
    {{{{1, 0}, {1, 1}, {1, 2}, {1, 3}}}, {{{0, 2}, {1, 2}, {2, 2}, {3, 2}}},
     {{{1, 0}, {1, 1}, {1, 2}, {1, 3}}}, {{{0, 2}, {1, 2}, {2, 2}, {3, 2}}}},
    // 1: S
    {{{{1, 0}, {1, 1}, {2, 1}, {2, 2}}}, {{{1, 1}, {2, 1}, {0, 2}, {1, 2}}},
     {{{1, 0}, {1, 1}, {2, 1}, {2, 2}}}, {{{1, 1}, {2, 1}, {0, 2}, {1, 2}}}},
    // 2: J
    {{{{1, 0}, {1, 1}, {0, 2}, {1, 2}}}, {{{0, 1}, {1, 1}, {2, 1}, {2, 2}}},
     {{{1, 0}, {2, 0}, {1, 1}, {1, 2}}}, {{{0, 0}, {0, 1}, {1, 1}, {2, 1}}}},
    // 3: Z
    {{{{2, 0}, {1, 1}, {2, 1}, {1, 2}}}, {{{0, 1}, {1, 1}, {1, 2}, {2, 2}}},
     {{{2, 0}, {1, 1}, {2, 1}, {1, 2}}}, {{{0, 1}, {1, 1}, {1, 2}, {2, 2}}}},
    // 4: L
    {{{{1, 0}, {1, 1}, {1, 2}, {2, 2}}}, {{{2, 0}, {0, 1}, {1, 1}, {2, 1}}},
     {{{0, 0}, {1, 0}, {1, 1}, {1, 2}}}, {{{0, 1}, {1, 1}, {2, 1}, {0, 2}}}},
    // 5: T
    {{{{1, 0}, {0, 1}, {1, 1}, {2, 1}}}, {{{1, 0}, {0, 1}, {1, 1}, {1, 2}}},
     {{{0, 1}, {1, 1}, {2, 1}, {1, 2}}}, {{{1, 0}, {1, 1}, {2, 1}, {1, 2}}}},
    // 6: square
    {{{{1, 1}, {2, 1}, {1, 2}, {2, 2}}}, {{{1, 1}, {2, 1}, {1, 2}, {2, 2}}},
     {{{1, 1}, {2, 1}, {1, 2}, {2, 2}}}, {{{1, 1}, {2, 1}, {1, 2}, {2, 2}}}},
};

using Table = std::array<std::array<Map::Cells, rotationCount>, typeCount>;

Table buildTable()
{
    Table table;
    for (int type = 0; type < typeCount; ++type) {
        for (int rotation = 0; rotation < rotationCount; ++rotation) {
            Map::Cells grid(size, std::vector<std::int32_t>(size, -1));
            for (const CellPos& cell : kShapes[type][rotation])
                grid[cell.column][cell.row] = type + 1;
            table[type][rotation] = grid;
        }
    }
    return table;
}

}  // namespace

const Map::Cells& cellsOf(int type, int rotation)
{
    static const Table table = buildTable();
    return table[type][rotation];
}

}  // namespace shapes
