// Drawing the filled cells of a grid as opaque tiles.
#pragma once

class DrawSurface;
class Map;

// Copies the tile of every non-empty cell, cell (c, r) at (left + 16c, top + 16r).
void drawFilledCells(const Map& cells, DrawSurface& target, int left, int top);
