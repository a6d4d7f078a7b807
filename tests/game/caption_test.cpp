#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "game/GameStats.h"
#include "game/CaptionEffects.h"
#include "game/GameCaptions.h"
#include "tests/support/RecordingSurface.h"

namespace {

// What one painted frame showed of a caption.
struct Shown {
    std::wstring text;
    int x;
    int y;
    std::uint32_t color;
};

// Paints the caption the way the frame walk does (only while visible) until it
// hides itself, and returns what each frame showed.
std::vector<Shown> paintUntilHidden(Caption& caption, int limit = 200)
{
    std::vector<Shown> frames;
    while (caption.visible && static_cast<int>(frames.size()) < limit) {
        RecordingSurface surface;
        caption.draw(surface);
        const auto& t = surface.texts.at(0);
        frames.push_back({t.text, static_cast<int>(t.layout.left), static_cast<int>(t.layout.top), t.style.color});
    }
    return frames;
}

class CaptionTest : public ::testing::Test {
protected:
    CaptionTest()
    {
        levelUp.addMove(0.0f, 0.3f);
        clear.addFadeOut();
        clear.addMove(0.0f, 0.25f);
        for (Caption* c : std::initializer_list<Caption*>{&levelUp, &clear, &pause, &score})
            c->reset();
    }

    GameStats stats;
    CaptionLevelUp levelUp{30, 160};
    CaptionDelete clear{40, 160};
    CaptionPause pause{40, 150};
    CaptionScore score{175, 160, stats};
};

TEST_F(CaptionTest, ResetPreparesEachCaptionForANewGame)
{
    struct Expect {
        Caption* caption;
        int fontSize;
        std::uint32_t color;
        std::wstring text;
        bool visible;
    };
    for (const Expect& e : {Expect{&levelUp, 18, 0xFF64DCF0, L"LEVEL UP", false},
                            Expect{&pause, 26, 0xFFFFFFFF, L"Pause", false},
                            Expect{&score, 16, 0xFF000000, L"Score\n 0\nLines\n 0\nLevel\n 0", true}}) {
        EXPECT_EQ(e.caption->fontFamily, L"Times New Roman");
        EXPECT_EQ(e.caption->fontSize, e.fontSize);
        EXPECT_EQ(e.caption->color, e.color);
        EXPECT_EQ(e.caption->text, e.text);
        EXPECT_EQ(e.caption->visible, e.visible);
    }
    EXPECT_EQ(clear.fontFamily, L"Times New Roman");
    EXPECT_FALSE(clear.visible);
}

TEST_F(CaptionTest, ScorePanelIsDrawnInItsStyleAndGrowingLayout)
{
    stats.score = 1234;
    stats.lines = 56;
    stats.level = 1;
    score.update();
    RecordingSurface surface;
    score.draw(surface);
    ASSERT_EQ(surface.texts.size(), 1u);
    const auto& t = surface.texts[0];
    EXPECT_EQ(t.text, L"Score\n 1234\nLines\n 56\nLevel\n 1");
    EXPECT_EQ(t.style.fontFamily, L"Times New Roman");
    EXPECT_EQ(t.style.pointSize, 16);
    EXPECT_EQ(t.style.color, 0xFF000000u);
    EXPECT_FLOAT_EQ(t.layout.left, 175.0f);
    EXPECT_FLOAT_EQ(t.layout.top, 160.0f);
    EXPECT_FLOAT_EQ(t.layout.width, 375.0f);
    EXPECT_FLOAT_EQ(t.layout.height, 260.0f);
    EXPECT_TRUE(score.visible) << "a caption without effects stays";
}

struct NoticeCase {
    const char* name;
    std::vector<int> clears;  // the last one is checked
    std::wstring text;
    int fontSize;
    std::uint32_t color;
    int x;
    int y;
    bool backToBack;
};

class ClearNotice : public CaptionTest, public ::testing::WithParamInterface<NoticeCase> {};

TEST_P(ClearNotice, ShowsTheNoticeOfTheLastClear)
{
    for (int lines : GetParam().clears)
        clear.show(lines);
    EXPECT_TRUE(clear.visible);
    EXPECT_EQ(clear.text, GetParam().text);
    EXPECT_EQ(clear.fontSize, GetParam().fontSize);
    EXPECT_EQ(clear.color, GetParam().color);
    EXPECT_EQ(clear.x, GetParam().x);
    EXPECT_EQ(clear.y, GetParam().y);
    EXPECT_EQ(clear.backToBack, GetParam().backToBack);
}

INSTANTIATE_TEST_SUITE_P(Clears, ClearNotice,
    ::testing::Values(
        NoticeCase{"Single", {1}, L"SINGLE", 16, 0xFF808080, 40, 160, false},
        NoticeCase{"Double", {2}, L"DOUBLE", 16, 0xFFC0C0C0, 40, 160, false},
        NoticeCase{"Triple", {3}, L"TRIPLE", 16, 0xFFFFFFFF, 40, 160, false},
        NoticeCase{"Four", {4}, L"KALVEX", 16, 0xFFFF4000, 40, 160, true},
        NoticeCase{"FourAfterFour", {4, 4}, L"BACK-TO-BACK\n       KALVEX", 18, 0xFFFF80FF, 10, 150, true},
        NoticeCase{"ThirdFourInARow", {4, 4, 4}, L"BACK-TO-BACK\n       KALVEX", 18, 0xFFFF80FF, 10, 150, true},
        NoticeCase{"SingleBreaksTheRun", {4, 1, 4}, L"KALVEX", 16, 0xFFFF4000, 40, 160, true},
        NoticeCase{"BackToBackThenDouble", {4, 4, 2}, L"DOUBLE", 16, 0xFFC0C0C0, 40, 160, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CaptionTest, ClearNoticeRisesAndFadesOverFiftyOneFrames)
{
    clear.show(4);  // 0xFFFF4000
    const std::vector<Shown> frames = paintUntilHidden(clear);
    ASSERT_EQ(frames.size(), 51u);
    EXPECT_EQ(frames[0].color, 0xFFFF4000u);
    EXPECT_EQ(frames[0].y, 160);
    // Frame k (from 1) shows the values of step k - 2.
    const std::map<int, int> alphaByStep = {{0, 255}, {1, 254}, {10, 244}, {20, 214}, {25, 191},
                                            {30, 163}, {40, 91},  {45, 48},  {48, 19},  {49, 10}};
    for (const auto& [step, alpha] : alphaByStep) {
        const Shown& f = frames[step + 1];
        EXPECT_EQ(f.color >> 24, static_cast<std::uint32_t>(alpha)) << "step " << step;
        EXPECT_EQ(f.color & 0xFFFFFF, 0xFF4000u) << "step " << step;
    }
    EXPECT_EQ(frames[1 + 48].y, 160 - 12);
    EXPECT_EQ(frames[1 + 49].y, 160 - 12);
    EXPECT_EQ(frames[1 + 47].y, 160 - 11);
    EXPECT_EQ(frames[1 + 4].y, 160 - 1);
    for (const Shown& f : frames)
        EXPECT_EQ(f.x, 40);
}

TEST_F(CaptionTest, LevelUpRisesFourteenPixelsWithoutFading)
{
    levelUp.show();
    const std::vector<Shown> frames = paintUntilHidden(levelUp);
    ASSERT_EQ(frames.size(), 51u);
    for (const Shown& f : frames)
        EXPECT_EQ(f.color, 0xFF64DCF0u);
    EXPECT_EQ(frames[1 + 10].y, 160 - 3);
    EXPECT_EQ(frames[1 + 47].y, 160 - 14);
    EXPECT_EQ(frames[1 + 49].y, 160 - 14);
}

TEST_F(CaptionTest, ShowingAgainMidRunContinuesTheOldRun)
{
    clear.show(1);  // grey
    for (int i = 0; i < 21; ++i) {
        RecordingSurface surface;
        clear.draw(surface);
    }
    clear.show(2);  // silver, at home again
    const std::vector<Shown> frames = paintUntilHidden(clear);
    ASSERT_EQ(frames.size(), 30u) << "the old run ends after its 50 steps";
    EXPECT_EQ(frames[0].text, L"DOUBLE");
    EXPECT_EQ(frames[0].y, 160);
    EXPECT_EQ(frames[0].color, 0xFFC0C0C0u) << "the new notice shows once in its own colour";
    // Then the old run goes on: step 21's rise and the grey saved at its start.
    EXPECT_EQ(frames[1].y, 160 - 5);
    EXPECT_EQ(frames[1].color & 0xFFFFFF, 0x808080u);
}

TEST_F(CaptionTest, ResetHidesAndRewindsARunningNotice)
{
    clear.show(3);
    for (int i = 0; i < 10; ++i) {
        RecordingSurface surface;
        clear.draw(surface);
    }
    clear.reset();
    EXPECT_FALSE(clear.visible);
    for (const auto& effect : clear.effects)
        EXPECT_EQ(effect->count, 0);
    clear.show(3);
    EXPECT_EQ(paintUntilHidden(clear).size(), 51u);
}

}  // namespace
