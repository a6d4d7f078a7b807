// The fall speed of every level and every line count within a level, bit for
// bit. Each build of the program (Linux, 64-bit and 32-bit Windows) must fall
// at exactly the same speeds, so a game plays the same wherever it runs.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "tests/game/GameFixture.h"

namespace {

// The expected float32 bit patterns, worked out with exact rational
// arithmetic (tools/fall-speed-table.py), rounding to the nearest float32 at
// each step: p = (lines mod 30) / 30, then the product m p, then the sum
// m p + c. Row: one band of levels; column: lines mod 30.
struct Band {
    int firstLevel;
    int lastLevel;  // -1: every level from firstLevel on
    std::uint32_t speed[30];
};

// clang-format off
constexpr Band kBands[] = {
    {0, 1, {  // p + 0.5
        0x3F000000, 0x3F088889, 0x3F111111, 0x3F19999A, 0x3F222222, 0x3F2AAAAB, 0x3F333333, 0x3F3BBBBC, 0x3F444444, 0x3F4CCCCD,
        0x3F555556, 0x3F5DDDDE, 0x3F666666, 0x3F6EEEEF, 0x3F777778, 0x3F800000, 0x3F844444, 0x3F888888, 0x3F8CCCCD, 0x3F911111,
        0x3F955556, 0x3F99999A, 0x3F9DDDDE, 0x3FA22222, 0x3FA66666, 0x3FAAAAAA, 0x3FAEEEEF, 0x3FB33333, 0x3FB77778, 0x3FBBBBBC}},
    {2, 3, {  // 2p + 0.5
        0x3F000000, 0x3F111111, 0x3F222222, 0x3F333333, 0x3F444444, 0x3F555556, 0x3F666666, 0x3F777778, 0x3F844444, 0x3F8CCCCD,
        0x3F955556, 0x3F9DDDDE, 0x3FA66666, 0x3FAEEEEF, 0x3FB77778, 0x3FC00000, 0x3FC88889, 0x3FD11111, 0x3FD9999A, 0x3FE22222,
        0x3FEAAAAB, 0x3FF33333, 0x3FFBBBBC, 0x40022222, 0x40066666, 0x400AAAAA, 0x400EEEEF, 0x40133333, 0x40177778, 0x401BBBBC}},
    {4, 5, {  // 3p + 1.0
        0x3F800000, 0x3F8CCCCD, 0x3F99999A, 0x3FA66666, 0x3FB33334, 0x3FC00000, 0x3FCCCCCD, 0x3FD9999A, 0x3FE66667, 0x3FF33334,
        0x40000000, 0x40066666, 0x400CCCCD, 0x40133333, 0x4019999A, 0x40200000, 0x40266667, 0x402CCCCD, 0x40333334, 0x4039999A,
        0x40400000, 0x40466666, 0x404CCCCD, 0x40533333, 0x4059999A, 0x40600000, 0x40666666, 0x406CCCCC, 0x40733333, 0x40799999}},
    {6, 7, {  // 4p + 1.0
        0x3F800000, 0x3F911111, 0x3FA22222, 0x3FB33333, 0x3FC44444, 0x3FD55556, 0x3FE66666, 0x3FF77778, 0x40044444, 0x400CCCCD,
        0x40155556, 0x401DDDDE, 0x40266666, 0x402EEEEF, 0x40377778, 0x40400000, 0x40488889, 0x40511111, 0x4059999A, 0x40622222,
        0x406AAAAB, 0x40733333, 0x407BBBBC, 0x40822222, 0x40866666, 0x408AAAAA, 0x408EEEEF, 0x40933333, 0x40977778, 0x409BBBBC}},
    {8, -1, {  // 5p + 2.0
        0x40000000, 0x400AAAAB, 0x40155555, 0x40200000, 0x402AAAAB, 0x40355556, 0x40400000, 0x404AAAAA, 0x40555556, 0x40600000,
        0x406AAAAB, 0x40755556, 0x40800000, 0x40855556, 0x408AAAAA, 0x40900000, 0x40955556, 0x409AAAAA, 0x40A00000, 0x40A55555,
        0x40AAAAAB, 0x40B00000, 0x40B55556, 0x40BAAAAA, 0x40C00000, 0x40C55555, 0x40CAAAAB, 0x40D00000, 0x40D55555, 0x40DAAAAA}},
};
// clang-format on

// Levels past the last band's start that the table is also checked at: the
// level keeps rising with the lines, up to counts no player reaches.
constexpr int kHighLevels[] = {9, 10, 15, 20, 33, 100, 1000};

std::uint32_t bitsOf(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// "0x3FB33334 (1.40000010)": the bits compared, and the value they stand for.
std::string describe(std::uint32_t bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    char text[48];
    std::snprintf(text, sizeof text, "0x%08lX (%.8f)", static_cast<unsigned long>(bits), static_cast<double>(value));
    return text;
}

class SpeedTableTest : public GameFixture {
protected:
    // Sets the line count, lets the statistics derive the level and the
    // progress from it, and recomputes the speed the way releasing the
    // soft-drop key does.
    std::string speedAtLines(std::int32_t lines)
    {
        game.stats.lines = lines;
        game.stats.addLines(0);
        game.fallSpeed = 0.0f;
        game.keyUp(keys::space);
        return describe(bitsOf(game.fallSpeed));
    }

    void expectLevel(int level, const Band& band)
    {
        for (int k = 0; k < 30; ++k) {
            const std::int32_t lines = level * 30 + k;
            EXPECT_EQ(speedAtLines(lines), describe(band.speed[k])) << "level " << level << ", " << lines << " lines";
        }
    }
};

TEST_F(SpeedTableTest, EveryLevelAndLineCountFallsAtTheRoundedSpeed)
{
    for (const Band& band : kBands) {
        const int last = band.lastLevel < 0 ? band.firstLevel : band.lastLevel;
        for (int level = band.firstLevel; level <= last; ++level)
            expectLevel(level, band);
    }
    for (const int level : kHighLevels)
        expectLevel(level, kBands[4]);
}

// The same rounding where it matters in play: the speed a clearing lock gives
// the next piece. At 124 lines (level 4, 4 lines into it) the product 3p must
// be rounded before 1.0 is added: 1.4000001, not 1.3999999.
TEST_F(SpeedTableTest, AClearingLockRecomputesTheRoundedSpeed)
{
    game.stats.lines = 123;
    game.stats.addLines(0);
    fillRow(19, 4);
    place(0, 0, 48, 16 * 16);  // the straight piece, upright, fills the gap
    game.lockDelayTicks = 0;
    game.tick();
    game.tick();
    ASSERT_EQ(game.stats.lines, 124);
    EXPECT_EQ(describe(bitsOf(game.fallSpeed)), describe(0x3FB33334u));
}

}  // namespace
