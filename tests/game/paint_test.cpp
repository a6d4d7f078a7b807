#include <gtest/gtest.h>

#include "tests/game/GameFixture.h"
#include "tests/support/RecordingSurface.h"

namespace {

DrawOp background(int w, int h) { return {DrawOp::CopyPicture, static_cast<int>(Picture::Background), 0, 0, w, h, 255}; }
DrawOp frame(int w, int h) { return {DrawOp::BlendPicture, static_cast<int>(Picture::Frame), 0, 0, w, h, 192}; }

TEST(PaintBeforeTheFirstGame, ShowsOnlyBackgroundAndFrame)
{
    RecordingHost host;
    Game game(host);
    RecordingSurface surface;
    game.paint(surface, PaintReach::WholeWindow);
    EXPECT_EQ(surface.ops, (std::vector<DrawOp>{background(248, 352), frame(248, 352)}));
}

struct PictureCase {
    const char* name;
    Size picture;
    bool cleared;
    Size blended;
};

class PaintPicture : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PaintPicture, FrameIsBlendedOnlyOverThePicture)
{
    RecordingHost host;
    Game game(host);
    RecordingSurface surface;
    surface.backgroundSize = GetParam().picture;
    game.paint(surface, PaintReach::WholeWindow);
    std::vector<DrawOp> expected;
    if (GetParam().cleared)
        expected.push_back({DrawOp::Fill, 0xFFFFFF, 0, 0, 248, 352, 255});
    expected.push_back(background(GetParam().picture.width, GetParam().picture.height));
    expected.push_back(frame(GetParam().blended.width, GetParam().blended.height));
    EXPECT_EQ(surface.ops, expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PaintPicture,
    ::testing::Values(PictureCase{"WindowSized", {248, 352}, false, {248, 352}},
                      PictureCase{"Small", {100, 100}, true, {100, 100}},
                      PictureCase{"Narrow", {100, 400}, true, {100, 352}},
                      PictureCase{"Large", {1024, 768}, false, {248, 352}}),
    [](const auto& info) { return std::string(info.param.name); });

class PaintTest : public GameFixture {
protected:
    std::vector<DrawOp> paintOps(DrawOp::Kind kind)
    {
        RecordingSurface surface;
        game.paint(surface, PaintReach::WholeWindow);
        return surface.opsOf(kind);
    }
};

TEST_F(PaintTest, GuideShowsOnlyWithTheOptionDuringAGame)
{
    place(6, 0, 48, 37);  // mid-row: the piece at its pixels, the guide on whole cells
    game.guideEnabled = false;
    EXPECT_TRUE(paintOps(DrawOp::BlendTile).empty());

    game.guideEnabled = true;
    const std::vector<DrawOp> guide = paintOps(DrawOp::BlendTile);
    ASSERT_EQ(guide.size(), 4u);
    EXPECT_EQ(guide[0], (DrawOp{DrawOp::BlendTile, 7, 8 + 48 + 16, 16 + 16 * 18, 16, 16, 128}));

    const std::vector<DrawOp> tiles = paintOps(DrawOp::CopyTile);
    ASSERT_EQ(tiles.size(), 8u) << "current and next piece";
    EXPECT_EQ(tiles[0].x, 8 + 48 + 16);
    EXPECT_EQ(tiles[0].y, 16 + 37 + 16);

    game.running = false;
    EXPECT_TRUE(paintOps(DrawOp::BlendTile).empty()) << "an ended game hides the guide";
}

TEST_F(PaintTest, ObjectsArePaintedInConstructionOrder)
{
    game.guideEnabled = true;
    game.field.setCell(0, 19, 3);
    game.levelUpCaption.show();
    game.deleteCaption.show(1);
    ASSERT_TRUE(game.togglePause());
    RecordingSurface surface;
    game.paint(surface, PaintReach::WholeWindow);

    // Field cell, guide, current piece, next piece, then the four captions.
    std::vector<DrawOp::Kind> kinds;
    for (const DrawOp& op : surface.ops)
        if (kinds.empty() || kinds.back() != op.kind)
            kinds.push_back(op.kind);
    EXPECT_EQ(kinds, (std::vector<DrawOp::Kind>{DrawOp::CopyPicture, DrawOp::BlendPicture, DrawOp::CopyTile,
                                                DrawOp::BlendTile, DrawOp::CopyTile, DrawOp::Text}));
    std::vector<std::wstring> texts;
    for (const auto& t : surface.texts)
        texts.push_back(t.text);
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"LEVEL UP", L"SINGLE", L"Pause", L"Score\n 0\nLines\n 0\nLevel\n 0"}));
    EXPECT_EQ(surface.ops[2], (DrawOp{DrawOp::CopyTile, 3, 8, 16 + 16 * 19, 16, 16, 255})) << "field first";
}

}  // namespace
