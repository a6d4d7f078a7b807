// How the board, composed in its own coordinates (its pixels at 96 DPI, 248
// x 352), maps to the pixels of a screen of some DPI: multiplied by dpi / 96.
// Platform-free, so that the rule is tested natively.
#pragma once

#include "game/DrawSurface.h"

class BoardScale {
public:
    // The DPI the board's own coordinates are pixels at.
    static constexpr int boardDpi = 96;

    BoardScale() = default;
    // A DPI of 0 or less (unknown) counts as 96.
    explicit BoardScale(int dpi) : dpi_(dpi > 0 ? dpi : boardDpi) {}

    int dpi() const { return dpi_; }
    bool isIdentity() const { return dpi_ == boardDpi; }

    // The device pixel a board position falls in: rounded down, so that
    // neighbouring cells meet without a gap or an overlap.
    int toDevice(int board) const;
    float toDevice(float board) const;
    Size toDevice(Size board) const;
    // The device pixels it takes to cover that many board units: rounded up.
    int toDeviceCovering(int board) const;

    // The board coordinates it takes to cover that many device pixels:
    // rounded up.
    int toBoardCovering(int device) const;
    Size toBoardCovering(Size device) const;

    bool operator==(const BoardScale& other) const { return dpi_ == other.dpi_; }
    bool operator!=(const BoardScale& other) const { return dpi_ != other.dpi_; }

private:
    int dpi_ = boardDpi;
};
