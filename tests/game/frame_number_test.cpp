// The frame number that lets the timer skip a repaint: it moves exactly when
// something drawn changes, and a skipped repaint never leaves a changed frame
// unpainted.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "game/Game.h"
#include "tests/game/GameFixture.h"
#include "tests/support/RecordingSurface.h"

namespace {

class FrameNumberTest : public GameFixture {
protected:
    void paint(PaintReach reach = PaintReach::WholeWindow)
    {
        RecordingSurface surface;
        game.paint(surface, reach);
    }
};

TEST_F(FrameNumberTest, NothingPaintedYetCountsAsChanged)
{
    EXPECT_TRUE(game.frameChangedSincePaint());
    paint();
    EXPECT_FALSE(game.frameChangedSincePaint());
    EXPECT_EQ(game.frameNumber(), game.frameNumber()) << "taking the number changes nothing";
}

// At level 0 the piece falls half a pixel a tick: every second tick moves it,
// and only those ask for a repaint.
TEST_F(FrameNumberTest, SlowPieceChangesTheFrameOnlyOnTheTicksThatMoveIt)
{
    game.guideEnabled = true;
    paint();
    int moves = 0;
    for (int tick = 0; tick < 40; ++tick) {
        SCOPED_TRACE("tick " + std::to_string(tick));
        const int yBefore = game.current.y;
        const std::uint64_t before = game.frameNumber();
        const bool repaint = game.tick();
        const bool moved = game.current.y != yBefore;
        moves += moved ? 1 : 0;
        EXPECT_EQ(game.frameNumber() != before, moved);
        EXPECT_EQ(game.frameChangedSincePaint(), moved);
        EXPECT_EQ(repaint, moved);
        if (repaint)
            paint();
    }
    EXPECT_EQ(moves, 20);
}

// A paint that reached only part of the window (or a printing DC) leaves the
// rest of it showing an older frame: the frame still counts as unpainted.
TEST_F(FrameNumberTest, PaintOfPartOfTheWindowLeavesTheFrameUnpainted)
{
    // A square on the floor, far from its lock: the tick changes nothing drawn.
    place(6, 0, 64, 16 * 17);
    game.current.landed = true;
    paint();
    game.keyDown(keys::left);
    paint(PaintReach::PartOfWindow);
    EXPECT_TRUE(game.frameChangedSincePaint());
    EXPECT_TRUE(game.tick()) << "the tick after it must repaint";
    paint();
    EXPECT_FALSE(game.tick());
}

struct ChangeCase {
    const char* name;
    std::function<void(Game&)> act;
    bool changesTheFrame;
};

std::string changeCaseName(const ::testing::TestParamInfo<ChangeCase>& info) { return info.param.name; }

class FrameChangeTest : public FrameNumberTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(FrameChangeTest, FrameChangesExactlyWhenSomethingDrawnChanges)
{
    // A piece resting mid-field, with room on both sides.
    place(2, 0, 64, 16 * 5);
    paint();
    ASSERT_FALSE(game.frameChangedSincePaint());

    GetParam().act(game);

    EXPECT_EQ(game.frameChangedSincePaint(), GetParam().changesTheFrame);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, FrameChangeTest,
    ::testing::Values(
        ChangeCase{"MoveLeft", [](Game& g) { g.keyDown(keys::left); }, true},
        ChangeCase{"Turn", [](Game& g) { g.keyDown(keys::up); }, true},
        ChangeCase{"LeftThenRight", [](Game& g) { g.keyDown(keys::left); g.keyDown(keys::right); }, false},
        ChangeCase{"UpThenDown", [](Game& g) { g.keyDown(keys::up); g.keyDown(keys::down); }, false},
        ChangeCase{"KeyWithoutAControl", [](Game& g) { g.keyDown(0x41); }, false},
        ChangeCase{"SoftDropKeyAlone", [](Game& g) { g.keyDown(keys::space); }, false},
        ChangeCase{"HardDrop", [](Game& g) { g.keyDown(keys::shift); }, true},
        ChangeCase{"Pause", [](Game& g) { g.togglePause(); }, true},
        ChangeCase{"PauseAndResume", [](Game& g) { g.togglePause(); g.togglePause(); }, false},
        ChangeCase{"GuideOn", [](Game& g) { g.guideEnabled = !g.guideEnabled; }, true},
        ChangeCase{"NewGame", [](Game& g) { g.newGame(); }, true},
        ChangeCase{"ScoreText", [](Game& g) { g.stats.score += 10; g.scoreCaption.update(); }, true},
        ChangeCase{"CaptionColour", [](Game& g) { g.scoreCaption.color = 0xFF000001; }, true},
        ChangeCase{"FieldCell", [](Game& g) { g.field.setCell(0, 19, 3); }, true},
        ChangeCase{"NextPiece", [](Game& g) { g.next.rotateClockwise(); }, true}),
    changeCaseName);

TEST_F(FrameNumberTest, PausedBoardStaysTheSameFrame)
{
    ASSERT_TRUE(game.togglePause());
    paint();
    for (int i = 0; i < 5; ++i) {
        game.keyDown(keys::left);  // a paused game takes no keys
        EXPECT_FALSE(game.frameChangedSincePaint());
    }
}

// The flash repaints itself from within the tick; each of its frames must be
// a new frame, or a window that compares numbers would keep the last one.
TEST_F(FrameNumberTest, EveryFlashFrameIsANewFrame)
{
    fillRow(19, 4);
    place(0, 0, 48, 16 * 16);
    game.tick();
    ASSERT_TRUE(game.current.landed);
    paint();
    std::vector<std::uint64_t> numbers{game.frameNumber()};
    host.onRepaint = [&] {
        numbers.push_back(game.frameNumber());
        paint();
    };
    game.lockDelayTicks = 0;
    game.tick();

    ASSERT_EQ(numbers.size(), 1u + Field::flashFrames);
    for (std::size_t i = 1; i < numbers.size(); ++i)
        EXPECT_NE(numbers[i], numbers[i - 1]) << "flash frame " << i;
    EXPECT_TRUE(game.frameChangedSincePaint()) << "the cleared board after the flash";
}

// A caption's effects advance once per painted frame; a repaint skipped
// while one runs would stop the animation where it is.
TEST_F(FrameNumberTest, FadingCaptionChangesEveryFrameUntilItHides)
{
    game.deleteCaption.show(2);
    int paints = 0;
    while (game.deleteCaption.visible && paints < 200) {
        ASSERT_TRUE(game.frameChangedSincePaint()) << "after " << paints << " frames of the fade";
        paint();
        ++paints;
    }
    EXPECT_FALSE(game.deleteCaption.visible);
    EXPECT_GT(paints, 10);
    // The frame that hid it is the last change.
    ASSERT_TRUE(game.frameChangedSincePaint());
    paint();
    EXPECT_FALSE(game.frameChangedSincePaint());
}

}  // namespace
