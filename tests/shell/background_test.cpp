// The main window with a user's background picture: a program of its own,
// because the picture is read once per process, at the first paint.
#include <gtest/gtest.h>

#include "tests/shell/MainWindowFixture.h"
#include "tests/support/win32/PictureFiles.h"

namespace {

const Rgb orange{200, 100, 50};

class BackgroundPictureTest : public MainWindowFixture {
protected:
    void prepareDirectory() override
    {
        // A damaged .bmp is passed over for the next name in line.
        writeBytes(L"background.bmp", "BM not really a bitmap");
        writePng(L"background.png", PictureFile{100, 100, orange, orange});
    }
};

TEST_F(BackgroundPictureTest, SmallPictureAtTheTopLeftWithTheFrameBlendedOnlyThere)
{
    ASSERT_TRUE(directory_.contains(L"background.png"));
    const auto frame = capture();
    // Inside the picture: the frame at 192/255 over it. The playfield is black
    // in the frame, the surround 235 grey.
    const Rgb overPlayfield{orange.red * 63 / 255, orange.green * 63 / 255, orange.blue * 63 / 255};
    EXPECT_TRUE(frame->pixel(50, 50).closeTo(overPlayfield, 2)) << frame->pixel(50, 50);
    const Rgb overSurround{(235 * 192 + orange.red * 63) / 255, (235 * 192 + orange.green * 63) / 255,
                           (235 * 192 + orange.blue * 63) / 255};
    EXPECT_TRUE(frame->pixel(3, 3).closeTo(overSurround, 2)) << frame->pixel(3, 3);
    // Outside it: cleared to white, with no frame.
    for (POINT p : {POINT{120, 200}, POINT{3, 200}, POINT{200, 40}, POINT{247, 351}})
        EXPECT_EQ(frame->pixel(p.x, p.y), (Rgb{255, 255, 255})) << p.x << ", " << p.y;
}

TEST_F(BackgroundPictureTest, CellsAreDrawnOverThePictureAndTheBlankArea)
{
    ASSERT_TRUE(game().newGame());
    game().field.setCell(9, 19, 1);
    game().field.setCell(0, 0, 7);
    const auto frame = capture();
    EXPECT_EQ(frame->pixel(8 + 16 * 9 + 8, 16 + 16 * 19 + 8), (Rgb{215, 64, 38}));
    EXPECT_EQ(frame->pixel(8 + 8, 16 + 8), (Rgb{100, 151, 240}));
}

}  // namespace
