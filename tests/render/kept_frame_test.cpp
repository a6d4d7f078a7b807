// A busy frame painted the fast way (kept back buffer, art scaled and
// backdrop composed once, the captions' GDI+ objects kept) against the
// straightforward way (a new buffer, the art, a blend and every GDI+ object
// made for the one frame), at the board's own scale and at others: what the
// player sees must not change. Pixels may differ by at most 2 per channel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "game/Game.h"
#include "game/GameHost.h"
#include "render/CaptionTextCache.h"
#include "render/FrameCache.h"
#include "render/GdiSurface.h"
#include "render/ImageStore.h"
#include "win/BackBuffer.h"
#include "win/DoubleBufferedPaint.h"
#include "tests/support/win32/PixelCanvas.h"
#include "tests/support/QuietHost.h"

namespace {

constexpr int boardWidth = 248;
constexpr int boardHeight = 352;

UniqueBitmap makeTiles()
{
    return makeBitmap(16 * 9, 16, [](int x, int y) {
        const int tile = x / 16;
        const bool edge = x % 16 == 0 || y == 0 || x % 16 == 15 || y == 15;
        return edge ? Rgb{255, 255, 255} : Rgb{30 + 25 * tile, 200 - 20 * tile, 40 + 22 * tile};
    });
}

UniqueBitmap makeFrame()
{
    return makeBitmap(boardWidth, boardHeight, [](int x, int y) {
        const bool inPlayfield = x >= 8 && x < 168 && y >= 16 && y < 336;
        return inPlayfield ? Rgb{0, 0, 0} : Rgb{235, 235, 235};
    });
}

// A picture with detail everywhere, so that a blend or copy out of place shows.
Rgb pictureColor(int x, int y) { return Rgb{(x * 7 + y) % 256, (y * 5) % 256, (x * 3 + y * 2) % 256}; }

struct FrameCase {
    const char* name;
    Size picture;  // smaller than the window: white shows around it
    Size client;   // in device pixels
    int dpi;
};

std::string frameCaseName(const ::testing::TestParamInfo<FrameCase>& info) { return info.param.name; }

class KeptFrameTest : public ::testing::TestWithParam<FrameCase> {
protected:
    KeptFrameTest()
        : images(makeTiles(), makeFrame(),
                 makeBitmap(GetParam().picture.width, GetParam().picture.height, pictureColor))
    {
        game.newGame();
        game.guideEnabled = true;
        for (int r = 8; r < Field::rows; ++r)
            for (int c = 0; c < Field::columns; ++c)
                if ((r * 3 + c) % 4 != 0)
                    game.field.setCell(c, r, (r + c) % 7);
        game.current.setShape(2, 1);
        game.current.x = 64;
        game.current.y = 40;
        game.stats.score = 123456;
        game.scoreCaption.update();
    }

    // Every caption on the board, one of them half faded. Painting moves the
    // captions' effects on, so each frame compared starts from here.
    void showEveryCaption()
    {
        game.levelUpCaption.show();
        game.deleteCaption.show(4);
        game.deleteCaption.color = (game.deleteCaption.color & 0x00FFFFFF) | 0x80000000;
        game.pauseCaption.visible = true;
    }

    // A buffer and every object made for this one frame.
    void paintStraightforward(PixelCanvas& output, Size client)
    {
        BackBuffer freshBuffer;
        paintThrough(output, client, freshBuffer, nullptr);
    }

    void paintKept(PixelCanvas& output, Size client) { paintThrough(output, client, buffer, &cache); }

    void paintThrough(PixelCanvas& output, Size client, BackBuffer& backBuffer, FrameCache* frameCache)
    {
        showEveryCaption();
        paintBuffered(output.dc(), RECT{0, 0, client.width, client.height}, SIZE{client.width, client.height},
                      backBuffer, PaintCoverage::WholeClient, [&](HDC dc, const RECT&, PaintCoverage) {
                          GdiSurface surface(dc, client, images, frameCache, BoardScale(GetParam().dpi));
                          game.paint(surface, PaintReach::WholeWindow);
                      });
    }

    QuietHost host;
    Game game{host};
    ImageStore images;
    BackBuffer buffer;
    FrameCache cache;
};

void expectSamePixels(const PixelCanvas& expected, const PixelCanvas& actual, Size client)
{
    int differing = 0;
    int largest = 0;
    for (int y = 0; y < client.height; ++y) {
        for (int x = 0; x < client.width; ++x) {
            const Rgb a = expected.pixel(x, y);
            const Rgb b = actual.pixel(x, y);
            largest = std::max({largest, std::abs(a.red - b.red), std::abs(a.green - b.green),
                                std::abs(a.blue - b.blue)});
            if (!a.closeTo(b, 2) && ++differing <= 5)
                ADD_FAILURE() << "at " << x << ", " << y << ": " << b << ", straightforward " << a;
        }
    }
    EXPECT_EQ(differing, 0) << "pixels off by more than 2; the largest difference is " << largest;
}

TEST_P(KeptFrameTest, KeptPathPaintsTheFrameOfTheStraightforwardOne)
{
    const Size client = GetParam().client;
    PixelCanvas straightforward(client.width, client.height, Rgb{1, 2, 3});
    PixelCanvas kept(client.width, client.height, Rgb{1, 2, 3});
    ASSERT_TRUE(straightforward.ready());
    ASSERT_TRUE(kept.ready());

    // Frames before it leave the kept buffer, objects and caption pixels in
    // use: the frame compared copies every caption it kept.
    for (int i = 0; i < 3; ++i)
        paintKept(kept, client);
    kept.fill(Rgb{1, 2, 3});
    paintKept(kept, client);
    paintStraightforward(straightforward, client);
    {
        SCOPED_TRACE("the same board again");
        expectSamePixels(straightforward, kept, client);
    }

    // The piece moves in under the captions: what they kept no longer fits.
    game.current.y = 150;
    paintKept(kept, client);
    paintStraightforward(straightforward, client);
    {
        SCOPED_TRACE("the piece under the captions");
        expectSamePixels(straightforward, kept, client);
    }
    // Not a blank frame on both sides: the text and tiles are there.
    const BoardScale scale(GetParam().dpi);
    EXPECT_FALSE(kept.pixel(scale.toDevice(8 + 16 * 2 + 5), scale.toDevice(16 + 16 * 12 + 5)) ==
                 kept.pixel(scale.toDevice(8 + 16 * 0 + 5), scale.toDevice(16 + 16 * 8 + 5)));
}

// The kept buffer and backdrop follow a change of the client size: nothing of
// the frame of the old size may show in the new one.
TEST_P(KeptFrameTest, KeptPathFollowsAChangeOfTheClientSize)
{
    const Size first{160, 200};
    PixelCanvas earlier(first.width, first.height);
    paintKept(earlier, first);
    ASSERT_EQ(buffer.width(), first.width);

    const Size client = GetParam().client;
    PixelCanvas straightforward(client.width, client.height, Rgb{1, 2, 3});
    PixelCanvas kept(client.width, client.height, Rgb{1, 2, 3});
    paintKept(kept, client);
    paintStraightforward(straightforward, client);

    EXPECT_EQ(buffer.width(), client.width);
    EXPECT_EQ(buffer.height(), client.height);
    expectSamePixels(straightforward, kept, client);
}

INSTANTIATE_TEST_SUITE_P(Boards, KeptFrameTest,
                         ::testing::Values(
                             FrameCase{"WindowSizedPicture", {boardWidth, boardHeight}, {boardWidth, boardHeight}, 96},
                             FrameCase{"SmallPicture", {120, 90}, {boardWidth, boardHeight}, 96},
                             FrameCase{"LargerWindow", {boardWidth, boardHeight}, {300, 400}, 96},
                             FrameCase{"At120Dpi", {boardWidth, boardHeight}, {310, 440}, 120},
                             FrameCase{"SmallPictureAt144Dpi", {120, 90}, {372, 528}, 144},
                             FrameCase{"At192Dpi", {boardWidth, boardHeight}, {496, 704}, 192}),
                         frameCaseName);

struct InkCase {
    const char* name;
    const wchar_t* text;
    std::int32_t pointSize;
    std::uint32_t color;
};

std::string inkCaseName(const ::testing::TestParamInfo<InkCase>& info) { return info.param.name; }

class CaptionInkTest : public ::testing::TestWithParam<InkCase> {};

// The kept pixels of a caption cover its ink: a pixel the text changes
// outside it would be lost whenever the kept copy is used.
TEST_P(CaptionInkTest, EveryPixelTheTextChangesLiesInItsInk)
{
    const InkCase& ink = GetParam();
    const ImageStore noImages(UniqueBitmap{}, UniqueBitmap{}, UniqueBitmap{});
    PixelCanvas canvas(boardWidth, boardHeight);
    ASSERT_TRUE(canvas.ready());
    {
        // A busy ground, so that no part of the text can hide in its colour.
        const UniqueBitmap ground = makeBitmap(boardWidth, boardHeight, pictureColor);
        const UniqueDc groundDc(CreateCompatibleDC(canvas.dc()));
        const SelectionScope selection(groundDc.get(), ground.get());
        BitBlt(canvas.dc(), 0, 0, boardWidth, boardHeight, groundDc.get(), 0, 0, SRCCOPY);
    }
    const TextStyle style{L"Times New Roman", ink.pointSize, ink.color};
    const LayoutRect layout{30, 150, 230, 250};

    GdiSurface(canvas.dc(), Size{boardWidth, boardHeight}, noImages).drawText(ink.text, style, layout);

    const RECT extent = CaptionTextCache().inkExtent(ink.text, style, BoardScale(), layout.width);
    ASSERT_GT(extent.right, extent.left);
    constexpr int margin = 2;  // as the cache allows
    int changed = 0;
    int outside = 0;
    for (int y = 0; y < boardHeight; ++y) {
        for (int x = 0; x < boardWidth; ++x) {
            if (canvas.pixel(x, y) == pictureColor(x, y))
                continue;
            ++changed;
            const int inkX = x - 30;
            const int inkY = y - 150;
            if (inkX < extent.left - margin || inkX >= extent.right + margin || inkY < extent.top - margin ||
                inkY >= extent.bottom + margin)
                ++outside;
        }
    }
    EXPECT_GT(changed, 0);
    EXPECT_EQ(outside, 0) << "of " << changed << " changed pixels";
}

INSTANTIATE_TEST_SUITE_P(
    Captions, CaptionInkTest,
    ::testing::Values(InkCase{"LevelUp", L"LEVEL UP", 18, 0xFF64DCF0},
                      InkCase{"BackToBackHalfFaded", L"BACK-TO-BACK\n       KALVEX", 18, 0x80FF80FF},
                      InkCase{"Pause", L"Pause", 26, 0xFFFFFFFF},
                      InkCase{"ScorePanel", L"Score\n 123456\nLines\n 78\nLevel\n 9", 16, 0xFF000000},
                      InkCase{"AlmostGone", L"TRIPLE", 16, 0x10FFFFFF}),
    inkCaseName);

}  // namespace
