#include <gtest/gtest.h>

#include <thread>

#include "tests/game/GameFixture.h"
#include "tests/support/PieceDraws.h"

namespace {

constexpr int kLock = static_cast<int>(SoundId::PieceLocked);
constexpr int kClear = static_cast<int>(SoundId::LinesCleared);
constexpr int kLevelUp = static_cast<int>(SoundId::LevelUp);
constexpr int kGameOver = static_cast<int>(SoundId::GameOver);
constexpr int kMove = static_cast<int>(SoundId::Move);
constexpr int kTurn = static_cast<int>(SoundId::Turn);

using GameTest = GameFixture;

TEST_F(GameTest, NewGameStartsAtTheSlowestSpeed)
{
    EXPECT_FLOAT_EQ(game.fallSpeed, 0.5f);
    EXPECT_EQ(game.lockDelayTicks, 31);
    EXPECT_TRUE(game.running);
    EXPECT_FALSE(game.paused);
    EXPECT_EQ(game.current.x, 48);
    EXPECT_EQ(game.current.y, 0);
    EXPECT_EQ(game.next.x, 176);
    EXPECT_EQ(game.next.y, 16);
    EXPECT_TRUE(game.field.visible && game.current.visible && game.next.visible);
    EXPECT_TRUE(game.scoreCaption.visible);
    EXPECT_FALSE(game.levelUpCaption.visible || game.deleteCaption.visible || game.pauseCaption.visible);
    EXPECT_EQ(game.scoreCaption.text, L"Score\n 0\nLines\n 0\nLevel\n 0");
}

TEST_F(GameTest, NewGameDrawsCurrentRotationAndTypeThenNext)
{
    for (const SeededPieces& draws : seededPieces) {
        SCOPED_TRACE(draws.seed);
        random15::seed(draws.seed);
        ASSERT_TRUE(game.newGame());
        EXPECT_EQ(game.current.rotation, draws.first.rotation);
        EXPECT_EQ(game.current.type, draws.first.type);
        EXPECT_EQ(game.next.rotation, draws.second.rotation);
        EXPECT_EQ(game.next.type, draws.second.type);
    }
}

TEST_F(GameTest, FallsOneCellEvery32TicksAtLevelZero)
{
    place(0, 0, 48, 0);
    for (int i = 0; i < 31; ++i)
        game.tick();
    EXPECT_EQ(game.current.y, 15);
    game.tick();
    EXPECT_EQ(game.current.y, 16);
}

TEST_F(GameTest, LandedPieceLocksAfterTheLockDelay)
{
    place(6, 0, 48, 16 * 17 - 8);  // the square lands on the floor within a cell
    tickUntilLanded();
    ASSERT_EQ(game.current.y, 16 * 17);
    host.take();
    for (int i = 0; i < game.lockDelayTicks; ++i) {
        game.tick();
        ASSERT_EQ(filledCells(), 0) << "locked early, after " << i + 1 << " ticks";
    }
    game.tick();  // lockDelayTicks + 1 ticks after landing
    EXPECT_EQ(filledCells(), 4);
    EXPECT_EQ(sounds(), std::vector<int>{kLock});
    EXPECT_EQ(game.current.y, 0) << "the next piece enters at the top";
    EXPECT_EQ(game.lockCounter, 0);
}

TEST_F(GameTest, PieceMovedOffItsLedgeFallsAgainWithAFreshCount)
{
    // A one-cell ledge under column 4 only.
    game.field.setCell(4, 10, 1);
    place(0, 0, 3 * 16, 16 * 6);  // bar in column 4, rows 6..9
    game.tick();
    ASSERT_TRUE(game.current.landed);
    for (int i = 0; i < 10; ++i)
        game.tick();
    EXPECT_EQ(game.lockCounter, 10);

    game.keyDown(keys::left);
    game.tick();
    EXPECT_FALSE(game.current.landed);
    EXPECT_EQ(game.lockCounter, 0);
    game.tick();
    game.tick();
    EXPECT_GT(game.current.y, 16 * 6) << "falls again";
    EXPECT_EQ(filledCells(), 1);
}

TEST_F(GameTest, SoftDropFallsTwelvePixelsAndScoresPerTick)
{
    place(0, 0, 48, 0);
    game.keyDown(keys::space);
    EXPECT_FLOAT_EQ(game.fallSpeed, 12.0f);
    EXPECT_EQ(game.lockDelayTicks, 0);
    for (int i = 1; i <= 3; ++i) {
        game.tick();
        EXPECT_EQ(game.current.y, 12 * i);
        EXPECT_EQ(game.stats.score, i);
    }
    EXPECT_EQ(game.scoreCaption.text, L"Score\n 3\nLines\n 0\nLevel\n 0") << "the panel shows it at once";

    tickUntilLanded();
    EXPECT_EQ(game.current.y, 16 * 16);
    game.tick();  // locks on the next tick after landing
    EXPECT_EQ(filledCells(), 4);
    EXPECT_FLOAT_EQ(game.fallSpeed, 0.5f) << "the next piece falls at normal speed until the key repeats";
    game.keyDown(keys::space);
    EXPECT_FLOAT_EQ(game.fallSpeed, 12.0f);
    game.keyUp(keys::space);
    EXPECT_FLOAT_EQ(game.fallSpeed, 0.5f);
    EXPECT_EQ(game.lockDelayTicks, 31);
}

TEST_F(GameTest, HardDropMovesWholeCellsOnePointEach)
{
    place(0, 0, 48, 0);
    game.keyDown(keys::shift);
    EXPECT_EQ(game.current.y, 16 * 16);
    EXPECT_EQ(game.stats.score, 16);
    EXPECT_EQ(game.lockDelayTicks, 0);
    EXPECT_EQ(game.scoreCaption.text, L"Score\n 0\nLines\n 0\nLevel\n 0") << "not refreshed by a hard drop";

    game.keyDown(keys::shift);  // already resting
    EXPECT_EQ(game.stats.score, 16);
    game.tick();  // lands
    game.tick();  // and locks at once
    EXPECT_EQ(filledCells(), 4);
    game.keyUp(keys::shift);
    EXPECT_EQ(game.lockDelayTicks, 31);
}

TEST_F(GameTest, MovingIntoABlockedLowerRowLiftsThePiece)
{
    place(6, 0, 48, 20);  // square, top cell row 1 (box row 2 at field row 2..3)
    // One column left, the row the square reaches 4 pixels into is blocked.
    game.field.setCell(3, 4, 1);
    game.keyDown(keys::left);
    EXPECT_EQ(game.current.x, 32);
    EXPECT_EQ(game.current.y, 16);
    EXPECT_EQ(game.current.fallRemainder, 0.0f);
}

struct KeyCase {
    const char* name;
    int type;
    int rotation;
    int x;
    int key;
    int expectedX;
    int expectedRotation;
    std::vector<int> expectedSounds;
};

class GameKeys : public GameFixture, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(GameKeys, SoundOnlyWhenTheActionSucceeds)
{
    const KeyCase& c = GetParam();
    place(c.type, c.rotation, c.x, 16 * 5);
    game.keyDown(c.key);
    EXPECT_EQ(game.current.x, c.expectedX);
    EXPECT_EQ(game.current.rotation, c.expectedRotation);
    EXPECT_EQ(game.current.y, 16 * 5) << "a turn never moves the piece";
    EXPECT_EQ(sounds(), c.expectedSounds);
}

// The vertical bar uses column 1 of its box; the flat bar columns 0..3.
INSTANTIATE_TEST_SUITE_P(Controls, GameKeys,
    ::testing::Values(
        KeyCase{"LeftFree", 0, 0, 48, keys::left, 32, 0, {kMove}},
        KeyCase{"LeftAtWall", 0, 0, -16, keys::left, -16, 0, {}},
        KeyCase{"RightFree", 0, 0, 48, keys::right, 64, 0, {kMove}},
        KeyCase{"RightAtWall", 0, 0, 128, keys::right, 128, 0, {}},
        KeyCase{"TurnFree", 5, 0, 48, keys::up, 48, 1, {kTurn}},
        KeyCase{"TurnClockwiseFree", 5, 0, 48, keys::down, 48, 3, {kTurn}},
        KeyCase{"TurnSquare", 6, 0, 48, keys::up, 48, 1, {kTurn}},
        KeyCase{"FlatBarAtRightWallTurnsUpright", 0, 1, 96, keys::up, 96, 2, {kTurn}},
        KeyCase{"UprightBarAtLeftWallCannotLieDown", 0, 0, -16, keys::up, -16, 0, {}},
        KeyCase{"UprightBarAtRightWallCannotLieDown", 0, 2, 128, keys::down, 128, 2, {}},
        KeyCase{"OtherKey", 0, 0, 48, 0x41, 48, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GameTest, TurnIntoFilledCellsIsUndone)
{
    place(0, 1, 48, 16 * 5);  // flat bar in row 7
    game.field.setCell(4, 8, 1);  // below the flat bar, where the upright one reaches
    const Map::Cells before = game.current.cells();
    game.keyDown(keys::up);
    EXPECT_EQ(game.current.rotation, 1);
    EXPECT_EQ(game.current.cells(), before);
    EXPECT_TRUE(sounds().empty());
}

TEST_F(GameTest, UpThenDownRestoresTheFirstRotation)
{
    place(2, 0, 48, 16 * 5);
    game.keyDown(keys::up);
    game.keyDown(keys::down);
    EXPECT_EQ(game.current.rotation, 0);
    EXPECT_EQ(game.current.x, 48);
}

TEST_F(GameTest, SoundOptionOffMakesNoPlaybackCall)
{
    soundEnabled() = false;
    place(0, 0, 48, 16 * 16);
    fillRow(19, 4);
    game.keyDown(keys::left);
    game.keyDown(keys::right);
    game.keyDown(keys::up);
    game.keyDown(keys::down);
    game.tick();
    for (int i = 0; i < 40; ++i)
        game.tick();
    EXPECT_EQ(game.stats.lines, 1);
    EXPECT_TRUE(sounds().empty());
    soundEnabled() = true;
}

TEST_F(GameTest, ClearFlashesFourFramesThenScoresAndAnnounces)
{
    fillRow(19, 4);
    fillRow(18, 4);
    place(0, 0, 48, 16 * 16);  // bar fills column 4 of rows 16..19
    game.tick();
    ASSERT_TRUE(game.current.landed);
    game.lockDelayTicks = 0;
    game.tick();

    const std::vector<HostEvent> expected = {
        {HostEvent::Sound, kLock},
        {HostEvent::Repaint}, {HostEvent::Sleep, 30},
        {HostEvent::Repaint}, {HostEvent::Sleep, 30},
        {HostEvent::Repaint}, {HostEvent::Sleep, 30},
        {HostEvent::Repaint}, {HostEvent::Sleep, 30},
        {HostEvent::Sound, kClear},
    };
    EXPECT_EQ(host.take(), expected);
    EXPECT_EQ(game.stats.lines, 2);
    EXPECT_EQ(game.stats.score, 100);
    EXPECT_TRUE(game.deleteCaption.visible);
    EXPECT_EQ(game.deleteCaption.text, L"DOUBLE");
    EXPECT_FALSE(game.levelUpCaption.visible);
    EXPECT_EQ(game.scoreCaption.text, L"Score\n 100\nLines\n 2\nLevel\n 0");
    EXPECT_TRUE(game.current.visible);
    EXPECT_EQ(filledCells(), 2) << "two cells of the bar stay in rows 18 and 19";
}

TEST_F(GameTest, PieceIsHiddenDuringTheFlash)
{
    fillRow(19, 4);
    place(0, 0, 48, 16 * 16);
    std::vector<bool> visibleDuringFlash;
    host.onRepaint = [&] { visibleDuringFlash.push_back(game.current.visible); };
    game.lockDelayTicks = 0;
    game.tick();
    game.tick();
    EXPECT_EQ(visibleDuringFlash, std::vector<bool>(4, false));
}

TEST_F(GameTest, LevelUpReplacesTheClearCaptionAndSound)
{
    game.stats.lines = 29;
    fillRow(19, 4);
    place(0, 0, 48, 16 * 16);
    game.lockDelayTicks = 0;
    game.tick();
    game.tick();
    EXPECT_EQ(sounds(), (std::vector<int>{kLock, kLevelUp}));
    EXPECT_EQ(game.stats.level, 1);
    EXPECT_TRUE(game.levelUpCaption.visible);
    EXPECT_FALSE(game.deleteCaption.visible);
    EXPECT_FLOAT_EQ(game.fallSpeed, 0.5f) << "the speed drops back to the bottom of the band";
    EXPECT_EQ(game.scoreCaption.text, L"Score\n 40\nLines\n 30\nLevel\n 1");
}

TEST_F(GameTest, FourLineClearThatRaisesTheLevelKeepsTheNoticeFlag)
{
    game.stats.lines = 28;
    for (int r = 16; r < 20; ++r)
        fillRow(r, 4);
    place(0, 0, 48, 16 * 16);
    game.lockDelayTicks = 0;
    game.tick();
    game.tick();
    EXPECT_TRUE(game.levelUpCaption.visible);
    EXPECT_FALSE(game.deleteCaption.visible);
    EXPECT_FALSE(game.deleteCaption.backToBack);
    EXPECT_TRUE(game.stats.backToBack);
}

TEST_F(GameTest, GameEndsWhenTheNewPieceOverlaps)
{
    for (int r = 0; r < 4; ++r)
        game.field.setCell(4, r + 4, 1);  // nothing full, spawn area at rows 0..3 free
    for (int c = 3; c <= 6; ++c)
        game.field.setCell(c, 2, 1);      // every piece's spawn cells overlap row 2 or 1
    for (int c = 3; c <= 6; ++c)
        game.field.setCell(c, 1, 1);
    place(6, 0, 0, 16 * 17);  // a square resting on the floor at the left
    game.lockDelayTicks = 0;
    const int nextBefore = game.next.type * 4 + game.next.rotation;
    const SeededPieces& draws = seededPieces[0];
    random15::seed(draws.seed);

    game.tick();
    game.tick();
    EXPECT_FALSE(game.running);
    EXPECT_FALSE(game.paused);
    EXPECT_EQ(host.take(), (std::vector<HostEvent>{{HostEvent::Sound, kLock},
                                                   {HostEvent::Sound, kGameOver},
                                                   {HostEvent::GameOver, 1}}));
    EXPECT_EQ(game.current.type * 4 + game.current.rotation, nextBefore);
    EXPECT_EQ(game.next.rotation, draws.first.rotation) << "the next piece is still rolled";
    EXPECT_EQ(game.next.type, draws.first.type);
    const int cells = filledCells();
    EXPECT_EQ(cells, 4 + 4 + 4 + 4) << "the field keeps its cells";

    // Ticks that arrive before the window stops the timer change nothing.
    for (int i = 0; i < 200; ++i)
        game.tick();
    EXPECT_TRUE(host.take().empty()) << "an ended game never ends again";
    EXPECT_EQ(filledCells(), cells);
}

// The next tick locks a square that completes the bottom row, and the next
// piece, a square too, finds its spawn cells filled once the row is gone.
void arrangeALastLockThatClearsARow(Game& game, std::int32_t score)
{
    for (int c = 0; c < Field::columns; ++c)
        if (c != 1 && c != 2)
            game.field.setCell(c, Field::rows - 1, 1);
    for (int c = 3; c <= 6; ++c)
        for (int r = 1; r <= 2; ++r)
            game.field.setCell(c, r, 1);
    game.current.setShape(6, 0);
    game.current.x = 0;
    game.current.y = 16 * 17;
    game.current.landed = true;
    game.next.setShape(6, 0);
    game.lockDelayTicks = 0;
    game.stats.score = score;
}

// The end-of-game flow runs on the window thread after the game has ended,
// maybe after a new game has begun: what it scores is taken at the end.
TEST_F(GameTest, ResultIsTheGameAsItEndedWhateverFollows)
{
    EXPECT_EQ(game.lastResult().gameNumber, 0u) << "no game has ended yet";
    arrangeALastLockThatClearsARow(game, 500);
    game.tick();
    ASSERT_FALSE(game.running);
    const std::int32_t finalScore = game.stats.score;
    ASSERT_GT(finalScore, 500) << "the clear scores";

    ASSERT_TRUE(game.newGame());
    game.stats.score = 7;

    const GameResult result = game.lastResult();
    EXPECT_EQ(result.gameNumber, 1u);
    EXPECT_EQ(result.score, finalScore);
    EXPECT_EQ(result.lines, 1);
}

// A window queue that is full refuses the notice; the game must not be left
// ended with nobody told, so every tick posts it again until one is taken.
TEST_F(GameTest, GameOverNoticeTheQueueRefusedIsPostedAgainAtTheNextTicks)
{
    arrangeALastLockThatClearsARow(game, 0);
    host.refusedGameOverPosts = 2;
    auto noticesPosted = [&] {
        int notices = 0;
        for (const HostEvent& event : host.take())
            notices += event.kind == HostEvent::GameOver ? 1 : 0;
        return notices;
    };
    game.tick();
    ASSERT_FALSE(game.running);
    EXPECT_EQ(noticesPosted(), 1);
    game.tick();
    EXPECT_EQ(noticesPosted(), 1) << "refused once: posted again";
    game.tick();
    EXPECT_EQ(noticesPosted(), 1) << "refused twice: posted again, and taken";
    for (int i = 0; i < 10; ++i)
        game.tick();
    EXPECT_EQ(noticesPosted(), 0) << "a notice taken is not posted again";
}

TEST_F(GameTest, KeysAreIgnoredOnceTheGameIsOverOrPaused)
{
    place(0, 0, 48, 16 * 5);
    ASSERT_TRUE(game.togglePause());
    EXPECT_TRUE(game.paused);
    EXPECT_TRUE(game.pauseCaption.visible);
    game.keyDown(keys::left);
    EXPECT_EQ(game.current.x, 48);
    ASSERT_TRUE(game.togglePause());
    EXPECT_FALSE(game.paused);
    EXPECT_FALSE(game.pauseCaption.visible);
    game.keyDown(keys::left);
    EXPECT_EQ(game.current.x, 32);
}

TEST(GameWithoutAGame, PauseDoesNothingBeforeTheFirstGame)
{
    RecordingHost host;
    Game game(host);
    EXPECT_TRUE(game.togglePause());
    EXPECT_FALSE(game.paused);
    EXPECT_FALSE(game.pauseCaption.visible);
}

TEST_F(GameTest, RestartDuringAGameStartsAfresh)
{
    EXPECT_EQ(game.gameNumber(), 1u);
    game.guideEnabled = true;
    fillRow(19, 4);
    place(0, 0, 48, 16 * 16);
    game.lockDelayTicks = 0;
    game.tick();
    game.tick();
    ASSERT_GT(game.stats.score, 0);
    ASSERT_TRUE(game.deleteCaption.visible);
    ASSERT_TRUE(game.togglePause());

    ASSERT_TRUE(game.newGame());
    EXPECT_EQ(game.gameNumber(), 2u);
    EXPECT_EQ(filledCells(), 0);
    EXPECT_EQ(game.stats.score, 0);
    EXPECT_EQ(game.stats.lines, 0);
    EXPECT_FALSE(game.deleteCaption.visible);
    EXPECT_EQ(game.deleteCaption.effects[0]->count, 0);
    EXPECT_FALSE(game.pauseCaption.visible);
    EXPECT_FALSE(game.paused);
    EXPECT_TRUE(game.guideEnabled);
}

// The window thread never waits for the game's lock: while a tick holds it
// (here: during the flash), keys are queued again and a restart is refused.
TEST_F(GameTest, BusyGameDefersKeysAndRestart)
{
    fillRow(19, 4);
    place(0, 0, 48, 16 * 16);
    game.lockDelayTicks = 0;
    game.tick();
    host.take();

    bool restartAccepted = true, pauseAccepted = true, firstFrame = true;
    host.onRepaint = [&] {
        if (!firstFrame)
            return;
        firstFrame = false;
        std::thread windowThread([&] {
            game.keyDown(keys::left);
            game.keyUp(keys::space);
            restartAccepted = game.newGame();
            pauseAccepted = game.togglePause();
        });
        windowThread.join();
    };
    game.tick();
    EXPECT_FALSE(restartAccepted);
    EXPECT_FALSE(pauseAccepted);
    const std::vector<HostEvent> events = host.take();
    ASSERT_GE(events.size(), 6u) << ::testing::PrintToString(events);
    const std::vector<HostEvent> deferred(events.begin() + 2, events.begin() + 6);
    EXPECT_EQ(deferred, (std::vector<HostEvent>{{HostEvent::Sleep, 1},
                                                {HostEvent::RepostKey, keys::left, true},
                                                {HostEvent::Sleep, 1},
                                                {HostEvent::RepostKey, keys::space, false}}));
    EXPECT_EQ(game.stats.lines, 1) << "the tick went on";

    game.keyDown(keys::left);  // handled once the tick has released the lock
    EXPECT_EQ(game.current.x, 32);
}

TEST_F(GameTest, SpeedBands)
{
    struct Case {
        int level;
        float progress;
        float speed;
    };
    for (const Case& c : {Case{0, 0.0f, 0.5f}, Case{0, 0.5f, 1.0f}, Case{1, 29.0f / 30, 29.0f / 30 + 0.5f},
                          Case{2, 0.0f, 0.5f}, Case{3, 0.5f, 1.5f}, Case{4, 0.0f, 1.0f}, Case{5, 29.0f / 30, 3.9f},
                          Case{6, 0.5f, 3.0f}, Case{7, 0.0f, 1.0f}, Case{8, 0.0f, 2.0f}, Case{20, 0.5f, 4.5f}}) {
        game.stats.level = c.level;
        game.stats.levelProgress = c.progress;
        EXPECT_FLOAT_EQ(game.computeFallSpeed(), c.speed) << "level " << c.level << " progress " << c.progress;
    }
}

TEST_F(GameTest, LockDelayShortensAboveLevelEight)
{
    const int expected[] = {31, 31, 31, 31, 31, 31, 31, 31, 31, 28, 25, 21, 18, 15, 12, 9, 6, 6, 6, 6, 6};
    for (int level = 0; level <= 20; ++level) {
        game.stats.level = level;
        EXPECT_EQ(game.computeLockDelayTicks(), expected[level]) << "level " << level;
    }
}

TEST_F(GameTest, HalfALevelDoublesTheSpeed)
{
    for (int i = 0; i < 5; ++i)
        game.stats.addLines(3);
    EXPECT_FLOAT_EQ(game.stats.levelProgress, 0.5f);
    fillRow(19, 4);  // a clear recomputes the speed when the next piece enters
    place(0, 0, 48, 16 * 16);
    game.lockDelayTicks = 0;
    game.tick();
    game.tick();
    EXPECT_FLOAT_EQ(game.fallSpeed, 16.0f / 30 + 0.5f);
}

}  // namespace
