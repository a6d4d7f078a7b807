// The board's coordinates on screens of other DPIs.
#include <gtest/gtest.h>

#include <algorithm>

#include "render/BoardScale.h"

namespace {

struct ScaleCase {
    int dpi;
    Size board;  // the 248 x 352 board in that DPI's pixels
    int cell;    // one 16-pixel cell
};

const ScaleCase scaleCases[] = {
    {96, {248, 352}, 16}, {120, {310, 440}, 20}, {144, {372, 528}, 24}, {192, {496, 704}, 32}, {288, {744, 1056}, 48},
};

TEST(BoardScale, TheBoardAndItsCellsGrowWithTheDpi)
{
    for (const ScaleCase& c : scaleCases) {
        const BoardScale scale(c.dpi);
        const Size board = scale.toDevice(Size{248, 352});
        EXPECT_EQ(board.width, c.board.width) << c.dpi << " DPI";
        EXPECT_EQ(board.height, c.board.height) << c.dpi << " DPI";
        // Every cell of the field, wherever a piece stands between rows,
        // has the same size, and neighbours meet without gap or overlap.
        for (int y = -40; y < 400; ++y)
            ASSERT_EQ(scale.toDevice(y + 16) - scale.toDevice(y), c.cell) << c.dpi << " DPI, at " << y;
        EXPECT_EQ(scale.toBoardCovering(board.width), 248) << c.dpi << " DPI";
        EXPECT_EQ(scale.toBoardCovering(board.height), 352) << c.dpi << " DPI";
    }
}

TEST(BoardScale, PositionsLeftOfTheFieldRoundTowardsMinusInfinity)
{
    const BoardScale scale(120);
    EXPECT_EQ(scale.toDevice(-1), -2);
    EXPECT_EQ(scale.toDevice(-16), -20);
    EXPECT_EQ(scale.toDevice(3), 3);
}

// A DPI that is no multiple of 24 still covers the whole client area.
TEST(BoardScale, BoardCoordinatesCoverEveryDevicePixel)
{
    for (const int dpi : {97, 110, 131, 200}) {
        const BoardScale scale(dpi);
        for (int device = 0; device < 800; ++device) {
            const int board = scale.toBoardCovering(device);
            ASSERT_GE(scale.toDevice(board), device) << dpi << " DPI, " << device << " pixels";
            ASSERT_LT(scale.toDevice(board - 1), device) << dpi << " DPI, " << device << " pixels: one too many";
        }
    }
}

// A tile drawn at a DPI of no whole cell size is the cell's largest span in
// device pixels, so that no cell of the field leaves a seam.
TEST(BoardScale, DevicePixelsCoverEveryBoardSpan)
{
    for (const int dpi : {96, 110, 120, 131, 200}) {
        const BoardScale scale(dpi);
        const int tile = scale.toDeviceCovering(16);
        int widest = 0;
        for (int x = -40; x < 400; ++x)
            widest = std::max(widest, scale.toDevice(x + 16) - scale.toDevice(x));
        EXPECT_EQ(tile, widest) << dpi << " DPI";
    }
    EXPECT_EQ(BoardScale(110).toDeviceCovering(16), 19);
    EXPECT_EQ(BoardScale(110).toDeviceCovering(-16), -18);
}

TEST(BoardScale, AnUnknownDpiIsTheBoardsOwn)
{
    for (const int dpi : {0, -96}) {
        EXPECT_EQ(BoardScale(dpi).dpi(), 96);
        EXPECT_TRUE(BoardScale(dpi).isIdentity());
    }
    EXPECT_FALSE(BoardScale(120).isIdentity());
    EXPECT_EQ(BoardScale(120).toDevice(30.0f), 37.5f);
}

}  // namespace
