#include "render/BoardScale.h"

#include <cstdint>

#include "render/IntegerDivision.h"

int BoardScale::toDevice(int board) const
{
    return static_cast<int>(floorDiv(static_cast<std::int64_t>(board) * dpi_, boardDpi));
}

float BoardScale::toDevice(float board) const
{
    if (isIdentity())
        return board;
    return board * static_cast<float>(dpi_) / static_cast<float>(boardDpi);
}

int BoardScale::toDeviceCovering(int board) const
{
    return static_cast<int>(ceilDiv(static_cast<std::int64_t>(board) * dpi_, boardDpi));
}

Size BoardScale::toDevice(Size board) const
{
    return Size{toDevice(board.width), toDevice(board.height)};
}

int BoardScale::toBoardCovering(int device) const
{
    return static_cast<int>(ceilDiv(static_cast<std::int64_t>(device) * boardDpi, dpi_));
}

Size BoardScale::toBoardCovering(Size device) const
{
    return Size{toBoardCovering(device.width), toBoardCovering(device.height)};
}
