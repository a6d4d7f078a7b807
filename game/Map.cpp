#include "game/Map.h"

Map::Map(int width, int height, std::int32_t emptyValue)
    : emptyValue_(emptyValue), cells_(width, std::vector<std::int32_t>(height, emptyValue))
{
}

void Map::fill(std::int32_t value)
{
    for (auto& column : cells_)
        column.assign(column.size(), value);
}
