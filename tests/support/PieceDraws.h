// The pieces the process's generator gives after a seed, written out once as
// facts: each piece is a rotation drawn before a type. A new game takes the
// first as the current piece and the second as the next one.
#pragma once

#include <cstdint>

struct PieceDraw {
    int rotation;
    int type;
};

struct SeededPieces {
    std::uint32_t seed;
    PieceDraw first;
    PieceDraw second;
};

inline constexpr SeededPieces seededPieces[] = {
    {1u, {2, 4}, {1, 1}},
    {7u, {0, 6}, {0, 1}},
    {77u, {1, 5}, {1, 4}},
    {99u, {0, 5}, {0, 1}},
    {123456u, {1, 4}, {0, 2}},
};
