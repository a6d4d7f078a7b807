#include <gtest/gtest.h>

#include <vector>

#include "game/GameStats.h"

namespace {

struct ClearStep {
    int lines;
    int points;
    bool levelChanged;
};

struct StatsCase {
    const char* name;
    int startLines;  // reached before the steps with single clears
    std::vector<ClearStep> steps;
};

class AddLines : public ::testing::TestWithParam<StatsCase> {};

TEST_P(AddLines, ScoresEachClear)
{
    GameStats stats;
    stats.lines = GetParam().startLines;
    stats.level = stats.lines / 30;
    int step = 0;
    for (const ClearStep& s : GetParam().steps) {
        const int before = stats.score;
        EXPECT_EQ(stats.addLines(s.lines), s.levelChanged) << "step " << step;
        EXPECT_EQ(stats.score - before, s.points) << "step " << step;
        ++step;
    }
}

INSTANTIATE_TEST_SUITE_P(Sequences, AddLines,
    ::testing::Values(
        StatsCase{"EachSize", 0, {{1, 40, false}, {2, 100, false}, {3, 300, false}, {4, 1200, false}}},
        StatsCase{"BackToBackFours", 0, {{4, 1200, false}, {4, 2000, false}, {4, 2000, false}}},
        StatsCase{"SingleBreaksBackToBack", 0, {{4, 1200, false}, {1, 40, false}, {4, 1200, false}}},
        StatsCase{"TripleBreaksBackToBack", 0, {{4, 1200, false}, {3, 300, false}, {4, 1200, false}}},
        StatsCase{"From28To31", 28, {{3, 300, true}}},
        StatsCase{"From30To33", 30, {{3, 300, false}}},
        StatsCase{"From29To30", 29, {{1, 40, true}}},
        StatsCase{"FourRaisingTheLevel", 26, {{4, 1200, true}, {4, 2000, false}}},
        StatsCase{"NothingOrTooMany", 0, {{0, 0, false}, {5, 0, false}, {-1, 0, false}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GameStatsTest, LevelAndProgressFollowTheLines)
{
    struct Case {
        int lines;
        int level;
        float progress;
    };
    for (const Case& c : {Case{15, 0, 0.5f}, Case{30, 1, 0.0f}, Case{31, 1, 1.0f / 30}, Case{89, 2, 29.0f / 30},
                          Case{300, 10, 0.0f}}) {
        GameStats stats;
        stats.lines = c.lines - 1;
        stats.addLines(1);
        EXPECT_EQ(stats.level, c.level) << c.lines;
        EXPECT_FLOAT_EQ(stats.levelProgress, c.progress) << c.lines;
    }
}

TEST(GameStatsTest, NoClearChangesNothing)
{
    GameStats stats;
    stats.addLines(4);
    stats.addLines(2);
    stats.addLines(4);
    const GameStats before = stats;
    EXPECT_FALSE(stats.addLines(0));
    EXPECT_EQ(stats.score, before.score);
    EXPECT_EQ(stats.lines, before.lines);
    EXPECT_EQ(stats.level, before.level);
    EXPECT_EQ(stats.backToBack, before.backToBack);
    EXPECT_EQ(stats.levelProgress, before.levelProgress);
}

TEST(GameStatsTest, FourLineClearRaisingTheLevelStillSetsBackToBack)
{
    GameStats stats;
    stats.lines = 28;
    EXPECT_TRUE(stats.addLines(4));
    EXPECT_TRUE(stats.backToBack);
    EXPECT_EQ(stats.lines, 32);
}

TEST(GameStatsTest, ResetKeepsLinesPerLevel)
{
    GameStats stats;
    stats.addLines(4);
    stats.reset();
    EXPECT_EQ(stats.score, 0);
    EXPECT_EQ(stats.lines, 0);
    EXPECT_EQ(stats.level, 0);
    EXPECT_FALSE(stats.backToBack);
    EXPECT_EQ(stats.levelProgress, 0.0f);
    EXPECT_EQ(stats.linesPerLevel, 30);
}

}  // namespace
