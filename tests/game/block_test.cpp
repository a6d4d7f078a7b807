#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "game/Block.h"
#include "game/Field.h"
#include "game/Random.h"
#include "game/ShapeTable.h"
#include "tests/support/PieceDraws.h"

namespace {

using Cells = std::set<std::pair<int, int>>;  // (column, row)

Cells occupied(const Map& map)
{
    Cells cells;
    for (int c = 0; c < map.width(); ++c)
        for (int r = 0; r < map.height(); ++r)
            if (!map.isEmpty(c, r))
                cells.insert({c, r});
    return cells;
}

// Moves the cells so that the smallest column and row are 0.
Cells normalized(const Cells& cells)
{
    int minColumn = 99, minRow = 99;
    for (const auto& [c, r] : cells) {
        minColumn = std::min(minColumn, c);
        minRow = std::min(minRow, r);
    }
    Cells result;
    for (const auto& [c, r] : cells)
        result.insert({c - minColumn, r - minRow});
    return result;
}

// A quarter turn counter-clockwise as seen on screen (rows grow downward).
Cells turnedCounterClockwise(const Cells& cells)
{
    Cells result;
    for (const auto& [c, r] : cells)
        result.insert({r, -c});
    return normalized(result);
}

Cells fromRows(const std::vector<std::string>& rows)
{
    Cells cells;
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < static_cast<int>(rows[r].size()); ++c)
            if (rows[r][c] == 'X')
                cells.insert({c, r});
    return cells;
}

class BlockTest : public ::testing::Test {
protected:
    Block block{nullptr, 0, 0};
};

struct RotationZeroCase {
    int type;
    std::vector<std::string> rows;
};

class ShapeRotationZero : public ::testing::TestWithParam<RotationZeroCase> {};

TEST_P(ShapeRotationZero, MatchesThePicture)
{
    Block block(nullptr, 0, 0);
    block.setShape(GetParam().type, 0);
    EXPECT_EQ(occupied(block), fromRows(GetParam().rows));
}

INSTANTIATE_TEST_SUITE_P(AllTypes, ShapeRotationZero,
    ::testing::Values(
        RotationZeroCase{0, {"oXoo", "oXoo", "oXoo", "oXoo"}},
        RotationZeroCase{1, {"oXoo", "oXXo", "ooXo", "oooo"}},
        RotationZeroCase{2, {"oXoo", "oXoo", "XXoo", "oooo"}},
        RotationZeroCase{3, {"ooXo", "oXXo", "oXoo", "oooo"}},
        RotationZeroCase{4, {"oXoo", "oXoo", "oXXo", "oooo"}},
        RotationZeroCase{5, {"oXoo", "XXXo", "oooo", "oooo"}},
        RotationZeroCase{6, {"oooo", "oXXo", "oXXo", "oooo"}}));

TEST_F(BlockTest, EveryShapeHasFourCellsOfItsColourInsideTheBox)
{
    for (int type = 0; type < shapes::typeCount; ++type) {
        for (int rotation = 0; rotation < shapes::rotationCount; ++rotation) {
            block.setShape(type, rotation);
            SCOPED_TRACE(testing::Message() << "type " << type << " rotation " << rotation);
            const Cells cells = occupied(block);
            EXPECT_EQ(cells.size(), 4u);
            for (const auto& [c, r] : cells)
                EXPECT_EQ(block.cell(c, r), type + 1);
        }
    }
}

TEST_F(BlockTest, EachRotationStepIsAQuarterTurnCounterClockwise)
{
    // Bars, S and Z alternate between two states; the square never changes.
    for (int type = 0; type < shapes::typeCount; ++type) {
        for (int rotation = 0; rotation < shapes::rotationCount; ++rotation) {
            SCOPED_TRACE(testing::Message() << "type " << type << " rotation " << rotation);
            block.setShape(type, rotation);
            const Cells before = occupied(block);
            block.setShape(type, (rotation + 1) % 4);
            const Cells after = occupied(block);
            if (type == 6) {
                EXPECT_EQ(after, before);
            } else if (type == 0 || type == 1 || type == 3) {
                block.setShape(type, (rotation + 2) % 4);
                EXPECT_EQ(occupied(block), before) << "two states alternate";
                EXPECT_EQ(normalized(after), turnedCounterClockwise(before));
            } else {
                EXPECT_EQ(normalized(after), turnedCounterClockwise(before));
            }
        }
    }
}

TEST_F(BlockTest, SpecialPlacesOfTheBar)
{
    block.setShape(0, 1);
    EXPECT_EQ(occupied(block), fromRows({"oooo", "oooo", "XXXX", "oooo"}));
    for (int type = 1; type < shapes::typeCount; ++type) {
        block.setShape(type, 0);
        for (int c = 0; c < 4; ++c)
            EXPECT_TRUE(block.isEmpty(c, 3)) << "only the bar uses row 3 in rotation 0, type " << type;
    }
}

TEST_F(BlockTest, NewBlockIsEmptyWithTypeAndRotationZero)
{
    EXPECT_TRUE(occupied(block).empty());
    EXPECT_EQ(block.type, 0);
    EXPECT_EQ(block.rotation, 0);
    EXPECT_FALSE(block.landed);
    EXPECT_FALSE(block.visible);
}

TEST_F(BlockTest, TurnsWrapAroundAndUndoEachOtherExactly)
{
    for (int type = 0; type < shapes::typeCount; ++type) {
        for (int rotation = 0; rotation < shapes::rotationCount; ++rotation) {
            block.setShape(type, rotation);
            const Map::Cells before = block.cells();
            block.rotateCounterClockwise();
            EXPECT_EQ(block.rotation, (rotation + 1) % 4);
            block.rotateClockwise();
            EXPECT_EQ(block.rotation, rotation);
            EXPECT_EQ(block.cells(), before) << "type " << type << " rotation " << rotation;
        }
    }
    block.setShape(2, 3);
    block.rotateCounterClockwise();
    EXPECT_EQ(block.rotation, 0);
    block.rotateClockwise();
    EXPECT_EQ(block.rotation, 3);
}

TEST_F(BlockTest, TPointingUpTurnsToPointLeft)
{
    block.setShape(5, 0);
    block.rotateCounterClockwise();
    EXPECT_EQ(occupied(block), (Cells{{1, 0}, {0, 1}, {1, 1}, {1, 2}}));
}

TEST(ObjectTest, AbsolutePositionFollowsTheParent)
{
    Field field(8, 16);
    Block block(&field, 48, 0);
    EXPECT_EQ(block.absoluteX(), 56);
    EXPECT_EQ(block.absoluteY(), 16);
    field.x = 0;
    EXPECT_EQ(block.absoluteX(), 48);
}

TEST(ObjectTest, DrawingListIsInConstructionOrderAndForgetsDestroyedObjects)
{
    auto listed = [] {
        std::vector<const Object*> objects;
        DrawingList::instance().forEach([&](Object& o) { objects.push_back(&o); });
        return objects;
    };
    const auto before = listed();
    Field first(0, 0);
    {
        Block second(nullptr, 0, 0);
        Block third(nullptr, 0, 0);
        auto now = listed();
        ASSERT_EQ(now.size(), before.size() + 3);
        EXPECT_EQ(now[before.size()], &first);
        EXPECT_EQ(now[before.size() + 1], &second);
        EXPECT_EQ(now[before.size() + 2], &third);
    }
    auto after = listed();
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(after.back(), &first);
}

TEST(RollShapeTest, DrawsTheRotationBeforeTheType)
{
    Block block(nullptr, 0, 0);
    for (const SeededPieces& draws : seededPieces) {
        SCOPED_TRACE(draws.seed);
        random15::seed(draws.seed);
        for (const PieceDraw& piece : {draws.first, draws.second}) {
            block.rollShape();
            EXPECT_EQ(block.rotation, piece.rotation);
            EXPECT_EQ(block.type, piece.type);
            EXPECT_EQ(occupied(block).size(), 4u);
        }
    }
}

TEST(RandomTest, DrawsCoverFifteenBitsUniformly)
{
    random15::seed(2012);
    constexpr int kDraws = 70000;
    std::vector<int> perType(7), perBucket(8);
    int orBits = 0, andBits = 0x7FFF;
    for (int i = 0; i < kDraws; ++i) {
        const int v = random15::next();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 32767);
        orBits |= v;
        andBits &= v;
        ++perType[v % 7];
        ++perBucket[v >> 12];
    }
    EXPECT_EQ(orBits, 0x7FFF);
    EXPECT_EQ(andBits, 0);
    for (int count : perType)
        EXPECT_NEAR(count, kDraws / 7, kDraws / 70);
    for (int count : perBucket)
        EXPECT_NEAR(count, kDraws / 8, kDraws / 80);
}

}  // namespace
