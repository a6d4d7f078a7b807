#include <gtest/gtest.h>

#include <vector>

#include "game/Block.h"
#include "game/Field.h"
#include "game/GuideBlock.h"
#include "tests/support/RecordingSurface.h"

namespace {

class FieldTest : public ::testing::Test {
protected:
    void fillRow(int row, int value = 1)
    {
        for (int c = 0; c < Field::columns; ++c)
            field.setCell(c, row, value);
    }

    // Every row as a string: '.' empty, else the digit of the tile.
    std::vector<std::string> picture() const
    {
        std::vector<std::string> rows;
        for (int r = 0; r < field.height(); ++r) {
            std::string row;
            for (int c = 0; c < field.width(); ++c)
                row += field.isEmpty(c, r) ? '.' : static_cast<char>('0' + field.cell(c, r));
            rows.push_back(row);
        }
        return rows;
    }

    Field field{8, 16};
    Block block{&field, 0, 0};
};

struct CollisionCase {
    const char* name;
    int type;
    int rotation;
    int column;
    int row;
    bool collides;
};

class FieldCollision : public FieldTest, public ::testing::WithParamInterface<CollisionCase> {};

TEST_P(FieldCollision, OnAnEmptyField)
{
    const CollisionCase& c = GetParam();
    block.setShape(c.type, c.rotation);
    EXPECT_EQ(field.collides(block, c.column, c.row), c.collides);
}

// The vertical bar uses column 1 of its box, rows 0 to 3; the square columns
// 1 and 2, rows 1 and 2; the horizontal bar row 2, columns 0 to 3.
INSTANTIATE_TEST_SUITE_P(Walls, FieldCollision,
    ::testing::Values(
        CollisionCase{"BarAtTop", 0, 0, 3, 0, false},
        CollisionCase{"BarOnFloor", 0, 0, 3, 16, false},
        CollisionCase{"BarBelowFloor", 0, 0, 3, 17, true},
        CollisionCase{"BarAboveTop", 0, 0, 3, -1, true},
        CollisionCase{"BarInColumn0", 0, 0, -1, 5, false},
        CollisionCase{"BarLeftOfField", 0, 0, -2, 5, true},
        CollisionCase{"BarInColumn9", 0, 0, 8, 5, false},
        CollisionCase{"BarRightOfField", 0, 0, 9, 5, true},
        CollisionCase{"SquareAtLeftEdge", 6, 0, -1, 0, false},
        CollisionCase{"SquareAtRightEdge", 6, 0, 7, 0, false},
        CollisionCase{"SquarePastRightEdge", 6, 0, 8, 0, true},
        CollisionCase{"SquareTopRowAbove", 6, 0, 0, -2, true},
        CollisionCase{"SquareEmptyRowAbove", 6, 0, 0, -1, false},
        CollisionCase{"SquareOnFloor", 6, 0, 0, 17, false},
        CollisionCase{"SquareBelowFloor", 6, 0, 0, 18, true},
        CollisionCase{"FlatBarOnFloor", 0, 1, 0, 17, false},
        CollisionCase{"FlatBarBelowFloor", 0, 1, 0, 18, true},
        CollisionCase{"FlatBarFullWidthRight", 0, 1, 6, 5, false},
        CollisionCase{"FlatBarPastRight", 0, 1, 7, 5, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FieldTest, FilledCellsCollideAndEmptyBlockCellsNeverCount)
{
    block.setShape(6, 0);        // cells (1,1) (2,1) (1,2) (2,2)
    field.setCell(4, 10, 3);
    EXPECT_TRUE(field.collides(block, 3, 9));    // (1,1) lands on (4,10)
    EXPECT_TRUE(field.collides(block, 2, 8));    // (2,2) lands on (4,10)
    EXPECT_FALSE(field.collides(block, 4, 9));   // only empty block cells over it
    EXPECT_FALSE(field.collides(block, 1, 10));
}

TEST_F(FieldTest, EmptyBlockNeverCollides)
{
    Block empty(nullptr, 0, 0);
    fillRow(0);
    EXPECT_FALSE(field.collides(empty, -10, -10));
    EXPECT_FALSE(field.collides(empty, 0, 0));
}

TEST_F(FieldTest, MergeWritesOnlyTheOccupiedCells)
{
    field.setCell(4, 19, 5);
    block.setShape(2, 0);  // J: (1,0) (1,1) (0,2) (1,2), value 3
    block.mergeInto(field, 2, 17);
    EXPECT_EQ(picture()[17], "...3......");
    EXPECT_EQ(picture()[18], "...3......");
    EXPECT_EQ(picture()[19], "..335.....");
}

TEST_F(FieldTest, MergeDropsCellsBelowTheField)
{
    block.setShape(0, 0);
    block.mergeInto(field, 0, 18);
    EXPECT_EQ(picture()[18], ".1........");
    EXPECT_EQ(picture()[19], ".1........");
}

TEST_F(FieldTest, FullRowsAreListedTopToBottom)
{
    EXPECT_TRUE(field.fullRows().empty());
    fillRow(19);
    fillRow(18);
    fillRow(5);
    field.setCell(9, 12, 2);
    fillRow(11);
    field.setCell(0, 11, -1);  // one gap keeps a row
    EXPECT_EQ(field.fullRows(), (std::vector<int>{5, 18, 19}));
}

struct RemovalCase {
    const char* name;
    std::vector<int> full;
};

class FieldRemoval : public FieldTest, public ::testing::WithParamInterface<RemovalCase> {};

TEST_P(FieldRemoval, RowsAboveMoveDownAndTheTopEmpties)
{
    // Every row that is not full gets a marker cell in a column of its own
    // pattern, so that moves are visible.
    std::vector<std::string> survivors;
    for (int r = 0; r < Field::rows; ++r) {
        const bool full = std::find(GetParam().full.begin(), GetParam().full.end(), r) != GetParam().full.end();
        if (full) {
            fillRow(r);
        } else {
            field.setCell(r % 10, r, 1 + r % 7);
        }
    }
    for (int r = 0; r < Field::rows; ++r)
        if (std::find(GetParam().full.begin(), GetParam().full.end(), r) == GetParam().full.end())
            survivors.push_back(picture()[r]);

    field.removeRows(field.fullRows(), [](int) {});

    const std::vector<std::string> after = picture();
    const size_t removed = GetParam().full.size();
    for (size_t r = 0; r < removed; ++r)
        EXPECT_EQ(after[r], "..........") << "row " << r;
    for (size_t i = 0; i < survivors.size(); ++i)
        EXPECT_EQ(after[removed + i], survivors[i]) << "row " << removed + i;
}

INSTANTIATE_TEST_SUITE_P(Rows, FieldRemoval,
    ::testing::Values(RemovalCase{"Bottom", {19}}, RemovalCase{"BottomTwo", {18, 19}},
                      RemovalCase{"Top", {0}}, RemovalCase{"TopAndBottom", {0, 19}},
                      RemovalCase{"FourApart", {3, 7, 12, 16}}, RemovalCase{"FourTogether", {16, 17, 18, 19}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FieldTest, FlashShowsFourFramesThenRemoves)
{
    fillRow(18, 2);
    fillRow(19, 3);
    field.setCell(0, 17, 5);
    std::vector<std::pair<std::vector<std::string>, int>> frames;
    field.removeRows({18, 19}, [&](int pauseMs) { frames.push_back({picture(), pauseMs}); });

    ASSERT_EQ(frames.size(), 4u);
    const char tiles[] = {'6', '7', '6', '7'};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(frames[k].second, 30);
        EXPECT_EQ(frames[k].first[17], "5.........") << "frame " << k;
        EXPECT_EQ(frames[k].first[18], std::string(10, tiles[k])) << "frame " << k;
        EXPECT_EQ(frames[k].first[19], std::string(10, tiles[k])) << "frame " << k;
    }
    EXPECT_EQ(picture()[19], "5.........");
    EXPECT_EQ(picture()[18], "..........");
}

TEST_F(FieldTest, DrawCopiesFilledCellsAtTheirPixels)
{
    field.setCell(0, 0, 1);
    field.setCell(9, 19, 7);
    RecordingSurface surface;
    field.draw(surface);
    ASSERT_EQ(surface.ops.size(), 2u);
    EXPECT_EQ(surface.ops[0], (DrawOp{DrawOp::CopyTile, 1, 8, 16, 16, 16, 255}));
    EXPECT_EQ(surface.ops[1], (DrawOp{DrawOp::CopyTile, 7, 8 + 144, 16 + 304, 16, 16, 255}));
}

class GuideTest : public FieldTest {
protected:
    GuideBlock guide{field, block};
};

TEST_F(GuideTest, FromMidRowTheSearchStartsOnTheRowAbove)
{
    block.setShape(6, 0);
    block.x = 48;
    block.y = 40;  // mid row 2
    field.setCell(4, 12, 1);
    guide.findLandingPosition();
    EXPECT_EQ(guide.x, 48);
    EXPECT_EQ(guide.y, 16 * 9);  // the square's lower cells rest on row 11, above the cell in row 12

    field.setCell(4, 5, 1);  // right under the piece's lower cells when its top row is 2
    guide.findLandingPosition();
    EXPECT_EQ(guide.y, 32);
}

TEST_F(GuideTest, RestingPieceGuideCoincidesWithIt)
{
    block.setShape(0, 0);
    block.x = 16 * 4;
    block.y = 16 * 16;
    guide.findLandingPosition();
    EXPECT_EQ(guide.x, block.x);
    EXPECT_EQ(guide.y, block.y);
}

TEST_F(GuideTest, DrawBlendsThePieceCellsAtHalfStrengthOnWholeCells)
{
    block.setShape(6, 0);
    block.x = 0;
    block.y = 5;
    RecordingSurface surface;
    guide.draw(surface);
    // The square rests on the floor: its cells are rows 18 and 19.
    const std::vector<DrawOp> expected = {
        {DrawOp::BlendTile, 7, 8 + 16, 16 + 16 * 18, 16, 16, 128},
        {DrawOp::BlendTile, 7, 8 + 32, 16 + 16 * 18, 16, 16, 128},
        {DrawOp::BlendTile, 7, 8 + 16, 16 + 16 * 19, 16, 16, 128},
        {DrawOp::BlendTile, 7, 8 + 32, 16 + 16 * 19, 16, 16, 128},
    };
    EXPECT_EQ(surface.ops, expected);
}

TEST_F(FieldTest, PieceIsDrawnAtItsPixelPosition)
{
    block.setShape(0, 1);  // row 2, columns 0..3
    block.x = 32;
    block.y = 21;
    RecordingSurface surface;
    block.draw(surface);
    ASSERT_EQ(surface.ops.size(), 4u);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(surface.ops[c], (DrawOp{DrawOp::CopyTile, 1, 8 + 32 + 16 * c, 16 + 21 + 32, 16, 16, 255}));
}

}  // namespace
