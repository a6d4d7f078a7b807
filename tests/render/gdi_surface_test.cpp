// The GDI drawing surface, checked through the pixels of a DIB section with
// synthetic images in place of the program's bitmaps.
#include <gtest/gtest.h>

#include <string>

#include "render/GdiSurface.h"
#include "render/ImageStore.h"
#include "win/GdiplusApi.h"
#include "tests/support/win32/PixelCanvas.h"

namespace {

constexpr int tileCount = 9;
const Rgb white{255, 255, 255};

// Every tile has its own colour, and a marker colour in its left column so
// that a copy from the wrong column shows.
Rgb tileColor(int tile) { return Rgb{20 + 25 * tile, 230 - 20 * tile, 60 + 15 * tile}; }
Rgb tileMarker(int tile) { return Rgb{tile, 0, 255 - tile}; }

UniqueBitmap makeTileStrip()
{
    return makeBitmap(16 * tileCount, 16, [](int x, int) {
        const int tile = x / 16;
        return x % 16 == 0 ? tileMarker(tile) : tileColor(tile);
    });
}

// Light grey with a black playfield, like the program's frame.
constexpr int frameWidth = 248;
constexpr int frameHeight = 352;
const Rgb frameGrey{235, 235, 235};
const Rgb playfieldBlack{0, 0, 0};
UniqueBitmap makeFrame()
{
    return makeBitmap(frameWidth, frameHeight, [](int x, int y) {
        const bool inPlayfield = x >= 8 && x < 168 && y >= 16 && y < 336;
        return inPlayfield ? playfieldBlack : frameGrey;
    });
}

// A small picture whose quadrants differ, so that orientation errors show.
constexpr int backgroundWidth = 30;
constexpr int backgroundHeight = 20;
Rgb backgroundColor(int x, int y) { return Rgb{x < 15 ? 200 : 40, y < 10 ? 180 : 20, 90}; }

class GdiSurfaceTest : public ::testing::Test {
protected:
    GdiSurfaceTest()
        : images(makeTileStrip(), makeFrame(),
                 makeBitmap(backgroundWidth, backgroundHeight, backgroundColor)),
          canvas(frameWidth + 60, frameHeight + 60)
    {
    }

    void SetUp() override { ASSERT_TRUE(canvas.ready()); }

    GdiSurface surface() const { return GdiSurface(canvas.dc(), Size{canvas.width(), canvas.height()}, images); }

    ImageStore images;
    PixelCanvas canvas;
};

TEST_F(GdiSurfaceTest, CopyTilePlacesTheTilesSixteenPixelsExactly)
{
    const struct {
        int tile, x, y;
    } copies[] = {{0, 0, 0}, {3, 40, 24}, {8, 100, 7}};
    {
        GdiSurface target = surface();
        for (const auto& copy : copies)
            target.copyTile(copy.tile, copy.x, copy.y);
    }
    for (const auto& copy : copies) {
        SCOPED_TRACE("tile " + std::to_string(copy.tile));
        EXPECT_EQ(canvas.pixel(copy.x, copy.y), tileMarker(copy.tile));
        EXPECT_EQ(canvas.pixel(copy.x, copy.y + 15), tileMarker(copy.tile));
        EXPECT_EQ(canvas.pixel(copy.x + 1, copy.y), tileColor(copy.tile));
        EXPECT_EQ(canvas.pixel(copy.x + 15, copy.y + 15), tileColor(copy.tile));
        EXPECT_EQ(canvas.pixel(copy.x + 16, copy.y + 8), white);
        EXPECT_EQ(canvas.pixel(copy.x + 8, copy.y + 16), white);
    }
}

TEST_F(GdiSurfaceTest, BlendTileAtHalfAlphaGivesTheMeanOfTileAndBackground)
{
    const Rgb background{10, 120, 250};
    canvas.fill(background);
    const int tile = 5;

    surface().blendTile(tile, 50, 60, 128);

    const Rgb source = tileColor(tile);
    const Rgb mean{(source.red + background.red) / 2, (source.green + background.green) / 2,
                   (source.blue + background.blue) / 2};
    const Rgb blended = canvas.pixel(58, 68);
    EXPECT_TRUE(blended.closeTo(mean, 2)) << blended << " expected about " << mean;
    EXPECT_EQ(canvas.pixel(66, 68), background);
    EXPECT_EQ(canvas.pixel(58, 76), background);
}

TEST_F(GdiSurfaceTest, FrameBlendedOverWhiteShowsTheWhiteThroughAt63)
{
    surface().blendPicture(Picture::Frame, frameWidth, frameHeight, 192);

    const struct {
        int x, y;
        Rgb expected;
        int tolerance;
    } pixels[] = {
        {50, 50, {63, 63, 63}, 0},                       // black playfield
        {2, 2, {240, 240, 240}, 2},                      // grey surround
        {frameWidth - 1, frameHeight - 1, {240, 240, 240}, 2},
        {frameWidth, 10, white, 0},                      // beyond the rectangle
    };
    for (const auto& pixel : pixels) {
        const Rgb actual = canvas.pixel(pixel.x, pixel.y);
        EXPECT_TRUE(actual.closeTo(pixel.expected, pixel.tolerance))
            << actual << " at " << pixel.x << ", " << pixel.y << ", expected " << pixel.expected;
    }
}

TEST_F(GdiSurfaceTest, BlendRectangleLargerThanThePictureIsClippedNotDropped)
{
    surface().blendPicture(Picture::Frame, frameWidth + 40, frameHeight + 40, 192);

    EXPECT_TRUE(canvas.pixel(2, 2).closeTo(Rgb{240, 240, 240}, 2)) << canvas.pixel(2, 2);
    EXPECT_EQ(canvas.pixel(50, 50), (Rgb{63, 63, 63}));
    EXPECT_EQ(canvas.pixel(frameWidth + 20, frameHeight + 20), white);
}

TEST_F(GdiSurfaceTest, CopyPictureCopiesTheWholePictureAtItsPlace)
{
    surface().copyPicture(Picture::Background, 7, 5);

    const struct {
        int x, y;
    } points[] = {{0, 0}, {14, 9}, {15, 10}, {29, 19}, {3, 17}};
    for (const auto& point : points)
        EXPECT_EQ(canvas.pixel(7 + point.x, 5 + point.y), backgroundColor(point.x, point.y))
            << "picture pixel " << point.x << ", " << point.y;
    EXPECT_EQ(canvas.pixel(7 + backgroundWidth, 5), white);
    EXPECT_EQ(canvas.pixel(7, 5 + backgroundHeight), white);
}

TEST_F(GdiSurfaceTest, ReportsThePictureSizes)
{
    const GdiSurface target = surface();
    EXPECT_EQ(target.pictureSize(Picture::Frame).width, frameWidth);
    EXPECT_EQ(target.pictureSize(Picture::Frame).height, frameHeight);
    EXPECT_EQ(target.pictureSize(Picture::Background).width, backgroundWidth);
    EXPECT_EQ(target.pictureSize(Picture::Background).height, backgroundHeight);
    EXPECT_EQ(target.size().width, canvas.width());
}

TEST_F(GdiSurfaceTest, FillTakesRedGreenBlueAndLeavesRightAndBottomEdgesOut)
{
    surface().fill(PixelRect{10, 20, 30, 40}, 0x00102030);

    EXPECT_EQ(canvas.pixel(10, 20), (Rgb{0x10, 0x20, 0x30}));
    EXPECT_EQ(canvas.pixel(29, 39), (Rgb{0x10, 0x20, 0x30}));
    EXPECT_EQ(canvas.pixel(30, 25), white);
    EXPECT_EQ(canvas.pixel(15, 40), white);
}

TEST(GdiSurfaceMissingImagesTest, EmptyImagesDrawNothing)
{
    const ImageStore empty(UniqueBitmap{}, UniqueBitmap{}, UniqueBitmap{});
    PixelCanvas canvas(64, 64);
    {
        GdiSurface target(canvas.dc(), Size{64, 64}, empty);
        target.copyTile(1, 0, 0);
        target.blendTile(1, 20, 0, 255);
        target.copyPicture(Picture::Background, 0, 20);
        target.blendPicture(Picture::Frame, 64, 64, 255);
    }
    for (const int x : {0, 8, 24, 40})
        for (const int y : {0, 8, 24, 40})
            EXPECT_EQ(canvas.pixel(x, y), white) << "at " << x << ", " << y;
}

struct TextCase {
    const char* name;
    const wchar_t* family;
    std::int32_t pointSize;
    std::uint32_t color;
    bool drawsSomething;
    bool needsGenericSansSerif;
};

bool genericSansSerifInstalled()
{
    gdip::UniqueFontFamily family;
    return gdip::GdipGetGenericFontFamilySansSerif(family.put()) == gdip::Ok;
}

std::string textCaseName(const ::testing::TestParamInfo<TextCase>& info) { return info.param.name; }

class GdiSurfaceTextTest : public GdiSurfaceTest, public ::testing::WithParamInterface<TextCase> {};

struct DarkPixels {
    int inside = 0;
    int outside = 0;
};

// The clearly dark pixels inside and outside the rectangle.
DarkPixels darkPixels(const PixelCanvas& canvas, const RECT& rect)
{
    DarkPixels dark;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (canvas.pixel(x, y).red < 128)
                ++(x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom ? dark.inside : dark.outside);
        }
    }
    return dark;
}

TEST_P(GdiSurfaceTextTest, TextStaysInsideItsLayoutRectangle)
{
    const TextCase& text = GetParam();
    if (text.needsGenericSansSerif && !genericSansSerifInstalled())
        GTEST_SKIP() << "this system has no generic sans-serif family (Microsoft Sans Serif or Arial)";
    // Two lines of three fit the width; the second is cut by the bottom edge.
    const LayoutRect layout{40, 30, 150, 70};

    surface().drawText(L"MWM WMW MWM", TextStyle{text.family, text.pointSize, text.color}, layout);

    const DarkPixels dark = darkPixels(canvas, RECT{40, 30, 190, 100});
    EXPECT_EQ(dark.inside > 0, text.drawsSomething) << dark.inside << " dark pixels inside";
    EXPECT_EQ(dark.outside, 0);
}

// A paint of part of the window draws through a viewport origin moved to the
// part's top left; tiles, fills and text must all follow it.
TEST_F(GdiSurfaceTest, EverythingFollowsTheViewportOriginOfAPartialPaint)
{
    SetViewportOrgEx(canvas.dc(), -30, -20, nullptr);
    const LayoutRect layout{100, 60, 150, 70};
    {
        GdiSurface target = surface();
        target.copyTile(2, 40, 30);
        target.fill(PixelRect{60, 30, 70, 40}, 0x00102030);
        target.drawText(L"MWM", TextStyle{L"Times New Roman", 36, 0xFF000000}, layout);
    }
    SetViewportOrgEx(canvas.dc(), 0, 0, nullptr);

    EXPECT_EQ(canvas.pixel(10, 10), tileMarker(2));
    EXPECT_EQ(canvas.pixel(11, 10), tileColor(2));
    EXPECT_EQ(canvas.pixel(30, 10), (Rgb{0x10, 0x20, 0x30}));
    int darkInShiftedLayout = 0;
    for (int y = 40; y < 110; ++y)
        for (int x = 70; x < 220; ++x)
            darkInShiftedLayout += canvas.pixel(x, y).red < 128;
    EXPECT_GT(darkInShiftedLayout, 0);
}

// The game draws in board coordinates; at another scale each operation
// lands at its place times the scale, in art scaled to match.
struct ScaledCase {
    int dpi;
    RECT tile;  // copyTile(3, 40, 24)
    RECT fill;  // fill(10, 20, 30, 40)
    RECT frame;  // the 248 x 352 frame
    RECT picture;  // the 30 x 20 background picture at (4, 2)
};

const ScaledCase scaledCases[] = {
    {120, {50, 30, 70, 50}, {12, 25, 37, 50}, {0, 0, 310, 440}, {5, 2, 42, 27}},
    {144, {60, 36, 84, 60}, {15, 30, 45, 60}, {0, 0, 372, 528}, {6, 3, 51, 33}},
    {192, {80, 48, 112, 80}, {20, 40, 60, 80}, {0, 0, 496, 704}, {8, 4, 68, 44}},
};

TEST_F(GdiSurfaceTest, AtOtherScalesEveryOperationLandsAtItsPlaceTimesTheScale)
{
    for (const ScaledCase& c : scaledCases) {
        SCOPED_TRACE(std::to_string(c.dpi) + " DPI");
        PixelCanvas scaled(520, 720);
        {
            GdiSurface target(scaled.dc(), Size{scaled.width(), scaled.height()}, images, nullptr, BoardScale(c.dpi));
            target.blendPicture(Picture::Frame, frameWidth, frameHeight, 192);
            target.copyPicture(Picture::Background, 4, 2);
            target.copyTile(3, 40, 24);
            target.fill(PixelRect{10, 20, 30, 40}, 0x00102030);
        }
        // The tile: its marker column at the left, its colour to the right
        // and bottom edges, nothing beyond.
        EXPECT_EQ(scaled.pixel(c.tile.left, c.tile.top), tileMarker(3));
        EXPECT_EQ(scaled.pixel(c.tile.left, c.tile.bottom - 1), tileMarker(3));
        EXPECT_EQ(scaled.pixel(c.tile.right - 1, c.tile.bottom - 1), tileColor(3));
        EXPECT_FALSE(scaled.pixel(c.tile.right, c.tile.top + 2) == tileColor(3));
        EXPECT_FALSE(scaled.pixel(c.tile.left + 2, c.tile.bottom) == tileColor(3));

        const Rgb fillColour{0x10, 0x20, 0x30};
        EXPECT_EQ(scaled.pixel(c.fill.left, c.fill.top), fillColour);
        EXPECT_EQ(scaled.pixel(c.fill.right - 1, c.fill.bottom - 1), fillColour);
        EXPECT_FALSE(scaled.pixel(c.fill.right, c.fill.top) == fillColour);
        EXPECT_FALSE(scaled.pixel(c.fill.left, c.fill.bottom) == fillColour);

        // The frame over white, and nothing beyond its scaled size.
        EXPECT_TRUE(scaled.pixel(c.frame.right - 1, c.frame.bottom - 1).closeTo(Rgb{240, 240, 240}, 2));
        EXPECT_EQ(scaled.pixel(c.frame.right, 10), white);
        EXPECT_EQ(scaled.pixel(10, c.frame.bottom), white);
        EXPECT_EQ(scaled.pixel(c.frame.right / 2, c.frame.bottom / 2), (Rgb{63, 63, 63})) << "the black playfield";

        // The picture, opaque, scaled smoothly: each quadrant keeps its colour
        // away from the edges between them.
        EXPECT_EQ(scaled.pixel(c.picture.left, c.picture.top), backgroundColor(0, 0));
        EXPECT_EQ(scaled.pixel(c.picture.right - 1, c.picture.top), backgroundColor(29, 0));
        EXPECT_EQ(scaled.pixel(c.picture.left, c.picture.bottom - 1), backgroundColor(0, 19));
        EXPECT_EQ(scaled.pixel(c.picture.right - 1, c.picture.bottom - 1), backgroundColor(29, 19));
        EXPECT_FALSE(scaled.pixel(c.picture.right, c.picture.top + 1) == backgroundColor(29, 0));
    }
}

// At a DPI of no whole cell size (110: 18.33 pixels a cell) a row of cells
// still leaves no seam of what lies under them.
TEST_F(GdiSurfaceTest, AtADpiOfNoWholeCellSizeNeighbouringTilesLeaveNoSeam)
{
    const BoardScale scale(110);
    {
        GdiSurface target(canvas.dc(), Size{canvas.width(), canvas.height()}, images, nullptr, scale);
        for (int column = 0; column < 10; ++column)
            for (int row = 0; row < 3; ++row)
                target.copyTile(2, 16 * column, 16 * row);
    }
    for (int y = 0; y < scale.toDevice(48); ++y)
        for (int x = 0; x < scale.toDevice(160); ++x)
            ASSERT_FALSE(canvas.pixel(x, y) == white) << "a seam at " << x << ", " << y;
}

TEST_F(GdiSurfaceTest, AtOtherScalesTextStaysInsideItsScaledRectangle)
{
    const LayoutRect layout{40, 30, 150, 70};
    PixelCanvas scaled(520, 720);
    GdiSurface(scaled.dc(), Size{scaled.width(), scaled.height()}, images, nullptr, BoardScale(192))
        .drawText(L"MWM WMW MWM", TextStyle{L"Times New Roman", 36, 0xFF000000}, layout);
    // The rectangle (40, 30) to (190, 100) at twice the size.
    const DarkPixels dark = darkPixels(scaled, RECT{80, 60, 380, 200});
    EXPECT_GT(dark.inside, 0);
    EXPECT_EQ(dark.outside, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, GdiSurfaceTextTest,
    ::testing::Values(TextCase{"NamedFamily", L"Times New Roman", 36, 0xFF000000, true, false},
                      TextCase{"UnknownFamilyFallsBackToSansSerif", L"Brixol No Such Family", 36, 0xFF000000,
                               true, true},
                      TextCase{"TransparentColour", L"Times New Roman", 36, 0x00000000, false, false},
                      // a caption drawn before its first reset has no size yet
                      TextCase{"NoSize", L"Times New Roman", 0, 0xFF000000, false, false}),
    textCaseName);

}  // namespace
