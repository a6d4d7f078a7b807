#include "render/BoardScale.h"

#include <cstdint>

namespace {

// Rounded towards minus infinity: a piece may stand partly left of the field.
int floorDiv(std::int64_t numerator, std::int64_t denominator)
{
    const std::int64_t quotient = numerator / denominator;
    return static_cast<int>(quotient * denominator > numerator ? quotient - 1 : quotient);
}

}  // namespace

int BoardScale::toDevice(int board) const
{
    return floorDiv(static_cast<std::int64_t>(board) * dpi_, boardDpi);
}

float BoardScale::toDevice(float board) const
{
    if (isIdentity())
        return board;
    return board * static_cast<float>(dpi_) / static_cast<float>(boardDpi);
}

Size BoardScale::toDevice(Size board) const
{
    return Size{toDevice(board.width), toDevice(board.height)};
}

int BoardScale::toBoardCovering(int device) const
{
    return -floorDiv(-static_cast<std::int64_t>(device) * boardDpi, dpi_);
}

Size BoardScale::toBoardCovering(Size device) const
{
    return Size{toBoardCovering(device.width), toBoardCovering(device.height)};
}
