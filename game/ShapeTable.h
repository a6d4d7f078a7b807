// The cells of the seven piece types in their four rotations.
#pragma once

#include "game/Map.h"

namespace shapes {

constexpr int typeCount = 7;
constexpr int rotationCount = 4;
constexpr int size = 4;

// A 4 x 4 grid (columns of rows): -1 except the four cells of the shape,
// which hold type + 1, the tile of the piece's colour.
const Map::Cells& cellsOf(int type, int rotation);

}  // namespace shapes
