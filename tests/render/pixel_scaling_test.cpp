// Scaling the board's art sharply and its background picture smoothly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "render/PixelScaling.h"

namespace {

// Every pixel its own colour.
PixelImage distinctPixels(int width, int height)
{
    PixelImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.row(y)[x] = static_cast<std::uint32_t>(0x010203 * (y * width + x + 1));
    return image;
}

// Columns of their own colours.
std::uint32_t stripeColour(int column)
{
    return static_cast<std::uint32_t>((8 * column) << 16 | (255 - 8 * column) << 8 | (column % 2) * 200);
}

PixelImage stripes(int width, int height)
{
    PixelImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.row(y)[x] = stripeColour(x);
    return image;
}

bool between(std::uint32_t value, std::uint32_t one, std::uint32_t other, int shift)
{
    const std::uint32_t v = value >> shift & 0xFF;
    const std::uint32_t a = one >> shift & 0xFF;
    const std::uint32_t b = other >> shift & 0xFF;
    return v >= std::min(a, b) && v <= std::max(a, b);
}

TEST(ScaledSharp, WholeScalesMakeEachPixelAWholeSquare)
{
    const PixelImage source = distinctPixels(7, 5);
    for (const int factor : {1, 2, 3}) {
        const PixelImage scaled = scaledSharp(source, 7 * factor, 5 * factor);
        ASSERT_EQ(scaled.width(), 7 * factor);
        ASSERT_EQ(scaled.height(), 5 * factor);
        for (int y = 0; y < scaled.height(); ++y)
            for (int x = 0; x < scaled.width(); ++x)
                ASSERT_EQ(scaled.at(x, y), source.at(x / factor, y / factor)) << factor << "x at " << x << ", " << y;
    }
}

// Scaled from `from` to `to` pixels, target pixel x covers the source from
// x * from / to to (x + 1) * from / to. A pixel that no edge between two
// columns runs through has the colour of its column exactly; a pixel an
// edge runs through is a blend of the two columns beside that edge. So each
// edge blurs one pixel at most, and nothing else blurs.
TEST(ScaledSharp, FractionalScalesBlendOnlyThePixelAnEdgeRunsThrough)
{
    struct Case {
        int from;
        int to;
    };
    // A tile at 120 and 144 DPI, and scales that fall nowhere even.
    for (const Case c : {Case{16, 20}, Case{16, 24}, Case{31, 39}, Case{20, 47}}) {
        SCOPED_TRACE(std::to_string(c.from) + " to " + std::to_string(c.to));
        const PixelImage scaled = scaledSharp(stripes(c.from, 3), c.to, 5);
        ASSERT_EQ(scaled.width(), c.to);
        for (int x = 0; x < c.to; ++x) {
            const std::uint32_t pixel = scaled.at(x, 2);
            const int column = x * c.from / c.to;
            const bool edgeInside = (column + 1) * c.to < (x + 1) * c.from;
            if (!edgeInside) {
                EXPECT_EQ(pixel, stripeColour(column)) << "blurred at " << x;
                continue;
            }
            for (const int shift : {0, 8, 16})
                EXPECT_TRUE(between(pixel, stripeColour(column), stripeColour(column + 1), shift))
                    << "at " << x << ": not a blend of columns " << column << " and " << column + 1;
        }
    }
}

TEST(ScaledSharp, AnEvenColourStaysExactlyTheSame)
{
    const PixelImage even(16, 16, 0x00EBEBEB);
    for (const int size : {8, 16, 20, 23, 24, 32, 37}) {
        const PixelImage smooth = scaledSmooth(even, Size{16, 16}, Size{size, size}, Size{size, size});
        for (const PixelImage& scaled : {scaledSharp(even, size, size), smooth}) {
            ASSERT_EQ(scaled.width(), size);
            for (const std::uint32_t pixel : scaled.pixels())
                ASSERT_EQ(pixel, 0x00EBEBEBu) << size;
        }
    }
}

TEST(ScaledSmooth, EnlargingBlendsNeighboursGradually)
{
    PixelImage source(2, 1);
    source.row(0)[0] = 0x000000;
    source.row(0)[1] = 0xFFFFFF;
    const PixelImage scaled = scaledSmooth(source, Size{2, 1}, Size{8, 4}, Size{8, 4});
    ASSERT_EQ(scaled.width(), 8);
    EXPECT_EQ(scaled.at(0, 0), 0x000000u);
    EXPECT_EQ(scaled.at(7, 0), 0xFFFFFFu);
    int between = 0;
    for (int x = 1; x < 8; ++x) {
        const std::uint32_t previous = scaled.at(x - 1, 2) & 0xFF;
        const std::uint32_t current = scaled.at(x, 2) & 0xFF;
        EXPECT_GE(current, previous) << "at " << x;
        between += current > 0 && current < 255;
    }
    EXPECT_GE(between, 3) << "a smooth filter, not nearest neighbour";
}

TEST(ScaledSmooth, ShrinkingAveragesTheAreaEachPixelCovers)
{
    PixelImage checker(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            checker.row(y)[x] = (x + y) % 2 ? 0x102030 : 0xF0E0D0;
    const PixelImage scaled = scaledSmooth(checker, Size{8, 8}, Size{4, 4}, Size{4, 4});
    const std::uint32_t mean = 0x808080;  // (0x10 + 0xF0) / 2, (0x20 + 0xE0) / 2, (0x30 + 0xD0) / 2
    for (const std::uint32_t pixel : scaled.pixels())
        EXPECT_EQ(pixel, mean);
}

// The background is read and scaled only as far as the window shows it.
TEST(ScaledSmooth, TheVisiblePartFromThePartItNeedsIsTheTopLeftOfTheWhole)
{
    const PixelImage source = distinctPixels(30, 20);
    struct Case {
        Size scaled;
        Size visible;
    };
    for (const Case c : {Case{{45, 30}, {17, 11}}, Case{{60, 40}, {60, 3}}, Case{{20, 13}, {7, 13}}}) {
        const PixelImage whole = scaledSmooth(source, Size{30, 20}, c.scaled, c.scaled);
        const Size needed = smoothSourceNeeded(Size{30, 20}, c.scaled, c.visible);
        ASSERT_LE(needed.width, 30);
        PixelImage part(needed.width, needed.height);
        for (int y = 0; y < needed.height; ++y)
            for (int x = 0; x < needed.width; ++x)
                part.row(y)[x] = source.at(x, y);
        const PixelImage visible = scaledSmooth(part, Size{30, 20}, c.scaled, c.visible);
        ASSERT_EQ(visible.width(), c.visible.width);
        ASSERT_EQ(visible.height(), c.visible.height);
        for (int y = 0; y < visible.height(); ++y)
            for (int x = 0; x < visible.width(); ++x)
                ASSERT_EQ(visible.at(x, y), whole.at(x, y)) << c.scaled.width << ": " << x << ", " << y;
        if (needed.width > 1) {
            const PixelImage tooLittle(needed.width - 1, needed.height);
            EXPECT_TRUE(scaledSmooth(tooLittle, Size{30, 20}, c.scaled, c.visible).empty()) << "less than it needs";
        }
    }
}

TEST(ScaledTileStrip, NoTileTakesColourFromItsNeighbour)
{
    const std::uint32_t colours[] = {0xD74026, 0x08EC5A, 0xF1EE2D};
    PixelImage strip(48, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 48; ++x)
            strip.row(y)[x] = colours[x / 16];
    for (const int size : {20, 23, 24, 32}) {
        const PixelImage scaled = scaledTileStrip(strip, 16, size);
        ASSERT_EQ(scaled.width(), 3 * size);
        ASSERT_EQ(scaled.height(), size);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < 3 * size; ++x)
                ASSERT_EQ(scaled.at(x, y), colours[x / size]) << size << ": " << x << ", " << y;
    }
}

TEST(PixelScaling, NothingToScaleGivesAnEmptyImage)
{
    EXPECT_TRUE(scaledSharp(PixelImage(), 20, 20).empty());
    EXPECT_TRUE(scaledSharp(PixelImage(4, 4), 0, 20).empty());
    EXPECT_TRUE(scaledSmooth(PixelImage(), Size{4, 4}, Size{20, 20}, Size{20, 20}).empty());
    EXPECT_TRUE(scaledSmooth(PixelImage(4, 4), Size{4, 4}, Size{20, 20}, Size{0, 20}).empty());
    EXPECT_TRUE(scaledTileStrip(PixelImage(48, 8), 16, 20).empty()) << "a strip lower than one tile";
    EXPECT_TRUE(PixelImage(4, 4, std::vector<std::uint32_t>(15)).empty()) << "pixels that do not fill the size";
}

}  // namespace
