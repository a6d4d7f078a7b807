// What a running game shows: the frame over the plain background before the
// game, the pieces once it runs.
#include <gtest/gtest.h>

#include "tests/e2e/DesktopWindows.h"
#include "tests/e2e/E2eTest.h"
#include "tests/e2e/Screenshot.h"

namespace {

// The frame at 192/255 over the white that shows without a background
// picture: the black playfield and next-piece box become this grey.
const Rgb kEmptyCell{63, 63, 63};
const Rgb kSurround{240, 240, 240};
constexpr int kTolerance = 6;

constexpr int kFieldLeft = 8;
constexpr int kFieldTop = 16;
constexpr int kColumns = 10;
constexpr int kRows = 20;
constexpr int kCell = 16;
constexpr int kNextLeft = 176;
constexpr int kNextTop = 16;

bool cellIsEmpty(const Capture& capture, int left, int top)
{
    for (int y = top; y < top + kCell; ++y) {
        for (int x = left; x < left + kCell; ++x) {
            if (!capture.at(x, y).closeTo(kEmptyCell, kTolerance))
                return false;
        }
    }
    return true;
}

int emptyFieldCells(const Capture& capture)
{
    int empty = 0;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column)
            empty += cellIsEmpty(capture, kFieldLeft + column * kCell, kFieldTop + row * kCell) ? 1 : 0;
    }
    return empty;
}

int emptyNextBoxCells(const Capture& capture)
{
    int empty = 0;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column)
            empty += cellIsEmpty(capture, kNextLeft + column * kCell, kNextTop + row * kCell) ? 1 : 0;
    }
    return empty;
}

bool isBoardSized(const Capture& capture)
{
    return capture.width == 248 && capture.height == 352;
}

using PaintingTest = E2eTest;

TEST_F(PaintingTest, GameDrawsItsPiecesOverTheGreyPlayfield)
{
    ASSERT_NO_FATAL_FAILURE(startBrixol());

    // Before the game: the frame only, once the window has painted.
    Capture before;
    const bool framed = waitUntil(
        [&] {
            before = captureClientArea(window_);
            return isBoardSized(before) && before.at(2, 2).closeTo(kSurround, kTolerance) &&
                   emptyFieldCells(before) == kColumns * kRows;
        },
        BrixolProcess::windowTimeoutMs);
    ASSERT_TRUE(framed) << "no empty board within " << BrixolProcess::windowTimeoutMs << " ms; "
                        << (before.empty() ? "nothing could be captured" : "")
                        << (isBoardSized(before) ? "" : " the capture is not 248 x 352");
    EXPECT_EQ(emptyNextBoxCells(before), 16);

    pressKey('S');
    Capture during;
    const bool changed = waitUntil(
        [&] {
            during = captureClientArea(window_);
            return isBoardSized(during) && !(during == before) && emptyNextBoxCells(during) < 16;
        },
        BrixolProcess::windowTimeoutMs);
    ASSERT_TRUE(changed) << "the board did not change within " << BrixolProcess::windowTimeoutMs
                         << " ms of S, or no next piece showed";

    // Only the falling piece is on the field so early: four cells, up to
    // eight while it is between two rows. Everything else stays empty grey.
    EXPECT_GE(emptyFieldCells(during), kColumns * kRows - 8);
    EXPECT_EQ(emptyNextBoxCells(during), 16 - 4) << "the next piece has four cells";
    EXPECT_TRUE(during.at(kFieldLeft + 80, kFieldTop + 300).closeTo(kEmptyCell, kTolerance))
        << during.at(kFieldLeft + 80, kFieldTop + 300);
    ASSERT_NO_FATAL_FAILURE(closeWithEscape());
}

}  // namespace
