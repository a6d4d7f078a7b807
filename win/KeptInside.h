// Pulling a span along one axis inside a range: its far end first, then its
// near end, so that a span longer than the range keeps its start (the left
// end, the top with the title bar or caption) inside. Wide arithmetic, for
// any numbers a stored position or a rectangle holds.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>

// The new start of [start, start + length) within [low, high).
inline LONG keptInside(std::int64_t start, LONG length, LONG low, LONG high)
{
    start = std::min<std::int64_t>(start, static_cast<std::int64_t>(high) - length);
    start = std::max<std::int64_t>(start, low);
    return static_cast<LONG>(start);
}
