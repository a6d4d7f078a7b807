// Integer division rounded towards minus or plus infinity, for the board's
// coordinates, which may be negative (a piece partly left of the field).
#pragma once

#include <cstdint>

inline std::int64_t floorDiv(std::int64_t numerator, std::int64_t denominator)
{
    const std::int64_t quotient = numerator / denominator;
    return quotient * denominator > numerator ? quotient - 1 : quotient;
}

inline std::int64_t ceilDiv(std::int64_t numerator, std::int64_t denominator)
{
    return -floorDiv(-numerator, denominator);
}
