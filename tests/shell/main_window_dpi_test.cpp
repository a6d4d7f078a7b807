// The main window at other DPIs: the client area is the board scaled by
// dpi / 96, and the board is the same picture at every DPI. Under wine a
// process takes its DPI from the registry when it starts, so this program
// starts itself again at 120, 144 and 192 DPI, and each of those runs
// compares its board with the one this run painted at 96 DPI: at 192 DPI
// every pixel doubled, except the captions' text, which is drawn at 192 DPI;
// at 120 and 144 DPI the board reduced to 248 x 352 close to the 96-DPI one.
// WM_DPICHANGED, which wine never sends, is sent by the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "render/PixelScaling.h"
#include "tests/shell/MainWindowFixture.h"
#include "tests/support/win32/SystemDpi.h"

namespace {

const wchar_t referenceVariable[] = L"BRIXOL_BOARD_REFERENCE";

int channelDifference(std::uint32_t one, std::uint32_t other)
{
    int largest = 0;
    for (const int shift : {0, 8, 16})
        largest = std::max(largest,
                           std::abs(static_cast<int>(one >> shift & 0xFF) - static_cast<int>(other >> shift & 0xFF)));
    return largest;
}

// Every pixel a square of factor pixels.
PixelImage enlarged(const PixelImage& image, int factor)
{
    PixelImage result(image.width() * factor, image.height() * factor);
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x)
            result.row(y)[x] = image.at(x / factor, y / factor);
    return result;
}

// Each pixel of the result is the mean of the pixels of the image whose
// centres fall in its area.
PixelImage reduced(const PixelImage& image, int width, int height)
{
    PixelImage result(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int sums[3] = {};
            int count = 0;
            for (int sy = 0; sy < image.height(); ++sy) {
                const int centreY = (2 * sy + 1) * height;  // in units of 1 / (2 * image height)
                if (centreY < 2 * y * image.height() || centreY >= 2 * (y + 1) * image.height())
                    continue;
                for (int sx = 0; sx < image.width(); ++sx) {
                    const int centreX = (2 * sx + 1) * width;
                    if (centreX < 2 * x * image.width() || centreX >= 2 * (x + 1) * image.width())
                        continue;
                    for (int channel = 0; channel < 3; ++channel)
                        sums[channel] += static_cast<int>(image.at(sx, sy) >> (8 * channel) & 0xFF);
                    ++count;
                }
            }
            std::uint32_t pixel = 0;
            for (int channel = 0; channel < 3; ++channel) {
                const int mean = count > 0 ? (sums[channel] + count / 2) / count : 0;
                pixel |= static_cast<std::uint32_t>(mean) << (8 * channel);
            }
            result.row(y)[x] = pixel;
        }
    }
    return result;
}

// The pixels where a caption changes the board: a mask of 0 and 1.
PixelImage inkOf(const PixelImage& withCaption, const PixelImage& without)
{
    PixelImage ink(without.width(), without.height());
    for (int y = 0; y < ink.height(); ++y)
        for (int x = 0; x < ink.width(); ++x)
            ink.row(y)[x] = withCaption.at(x, y) != without.at(x, y) ? 1 : 0;
    return ink;
}

struct InkBounds {
    int pixels = 0;
    int left = 1 << 20;
    int top = 1 << 20;
    int right = -1;
    int bottom = -1;
};

InkBounds boundsOf(const PixelImage& ink)
{
    InkBounds bounds;
    for (int y = 0; y < ink.height(); ++y) {
        for (int x = 0; x < ink.width(); ++x) {
            if (ink.at(x, y) == 0)
                continue;
            ++bounds.pixels;
            bounds.left = std::min(bounds.left, x);
            bounds.top = std::min(bounds.top, y);
            bounds.right = std::max(bounds.right, x + 1);
            bounds.bottom = std::max(bounds.bottom, y + 1);
        }
    }
    return bounds;
}

// A board in mid-game, the same in every process: cells of every colour, a
// piece between two rows over its guide, the next piece, and the score.
void setUpBoard(Game& game)
{
    ASSERT_TRUE(game.newGame());
    game.guideEnabled = true;
    for (int r = 12; r < Field::rows; ++r)
        for (int c = 0; c < Field::columns; ++c)
            if ((r * 3 + c) % 4 != 0)
                game.field.setCell(c, r, 1 + (r + c) % 7);
    game.current.setShape(2, 1);
    game.current.x = 48;
    game.current.y = 37;
    game.next.setShape(0, 0);
    game.stats.score = 123456;
    game.stats.lines = 78;
    game.stats.level = 9;
    game.scoreCaption.update();
}

struct CaptionCase {
    const char* name;
    void (*show)(Game&);
};

// One at a time: the captions overlap on the board.
const CaptionCase captionCases[] = {
    {"score panel", [](Game& game) { game.scoreCaption.visible = true; }},
    {"LEVEL UP", [](Game& game) { game.levelUpCaption.show(); }},
    {"KALVEX", [](Game& game) { game.deleteCaption.show(4); }},
    {"Pause", [](Game& game) { game.pauseCaption.visible = true; }},
};

void hideCaptions(Game& game)
{
    game.scoreCaption.visible = false;
    game.levelUpCaption.visible = false;
    game.deleteCaption.visible = false;
    game.pauseCaption.visible = false;
}

class BoardAtDpi : public MainWindowFixture {
protected:
    // The board without captions, then with each caption alone.
    std::vector<PixelImage> paintBoards()
    {
        std::vector<PixelImage> boards;
        setUpBoard(game());
        hideCaptions(game());
        boards.push_back(pictureOf(*capture()));
        for (const CaptionCase& caption : captionCases) {
            caption.show(game());
            boards.push_back(pictureOf(*capture()));
            hideCaptions(game());
        }
        return boards;
    }
};

// Pixel for pixel, with the first few differences named.
void expectSamePixels(const PixelImage& actual, const PixelImage& expected, const std::string& what)
{
    ASSERT_EQ(actual.width(), expected.width()) << what;
    ASSERT_EQ(actual.height(), expected.height()) << what;
    int differing = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (actual.at(x, y) != expected.at(x, y) && ++differing <= 5)
                ADD_FAILURE() << what << ": at " << x << ", " << y << std::hex << " 0x" << actual.at(x, y)
                              << " instead of 0x" << expected.at(x, y);
        }
    }
    EXPECT_EQ(differing, 0) << what;
}

// A caption's ink at dpi covers the place of its ink at 96 DPI scaled, in
// about as many pixels scaled: the same text at the same size. Line
// spacing is rounded at each size, so the lower lines of the score panel
// may end a few pixels higher or lower.
void expectInkInTheScaledPlace(const std::string& name, const InkBounds& drawn, const InkBounds& reference, int dpi)
{
    ASSERT_GT(reference.pixels, 100) << name << ": the caption draws (almost) nothing";
    const auto scaled = [dpi](int board) { return board * dpi / 96; };
    constexpr int placeTolerance = 6;
    EXPECT_NEAR(drawn.left, scaled(reference.left), placeTolerance) << name;
    EXPECT_NEAR(drawn.top, scaled(reference.top), placeTolerance) << name;
    EXPECT_NEAR(drawn.right, scaled(reference.right), placeTolerance) << name;
    EXPECT_NEAR(drawn.bottom, scaled(reference.bottom), placeTolerance) << name;
    const double area = static_cast<double>(reference.pixels) * dpi * dpi / (96.0 * 96.0);
    EXPECT_NEAR(drawn.pixels, area, area / 4) << name;
}

// At 192 DPI: the board is the 96-DPI board with every pixel doubled, and
// each caption's ink covers the doubled ink's place but is drawn anew.
void compareAtTwice(const std::vector<PixelImage>& drawn, const std::vector<PixelImage>& reference)
{
    expectSamePixels(drawn[0], enlarged(reference[0], 2), "the board without captions");
    for (std::size_t i = 0; i < std::size(captionCases); ++i) {
        const std::string name = captionCases[i].name;
        const PixelImage ink = inkOf(drawn[i + 1], drawn[0]);
        const PixelImage doubledInk = enlarged(inkOf(reference[i + 1], reference[0]), 2);
        const PixelImage doubledBoard = enlarged(reference[i + 1], 2);
        int differing = 0;
        for (int y = 0; y < ink.height(); ++y)
            for (int x = 0; x < ink.width(); ++x)
                differing += (ink.at(x, y) || doubledInk.at(x, y)) &&
                             channelDifference(drawn[i + 1].at(x, y), doubledBoard.at(x, y)) > 48;
        const InkBounds bounds = boundsOf(ink);
        const InkBounds referenceBounds = boundsOf(inkOf(reference[i + 1], reference[0]));
        std::printf("192 DPI %-12s ink of %5d pixels (%5d doubled) in %d,%d-%d,%d (%d,%d-%d,%d doubled), %5d pixels "
                    "plainly differ from the doubled text\n",
                    name.c_str(), bounds.pixels, 4 * referenceBounds.pixels, bounds.left, bounds.top, bounds.right,
                    bounds.bottom, 2 * referenceBounds.left, 2 * referenceBounds.top, 2 * referenceBounds.right,
                    2 * referenceBounds.bottom, differing);
        expectInkInTheScaledPlace(name, bounds, referenceBounds, 192);
        // Drawn at the screen's resolution: stretched text would be the
        // doubled pixels exactly.
        EXPECT_GT(differing, referenceBounds.pixels / 5) << name << ": the text looks stretched";
    }
}

// At 120 and 144 DPI: the board reduced to its own size is close to the
// 96-DPI board (the sharp art blends one pixel at its edges), and each
// caption covers its place scaled.
void compareReduced(const std::vector<PixelImage>& drawn, const std::vector<PixelImage>& reference, int dpi)
{
    const PixelImage board = reduced(drawn[0], reference[0].width(), reference[0].height());
    long long total = 0;
    int distant = 0;
    for (int y = 0; y < board.height(); ++y) {
        for (int x = 0; x < board.width(); ++x) {
            const int difference = channelDifference(board.at(x, y), reference[0].at(x, y));
            total += difference;
            distant += difference > 64;
        }
    }
    const double mean = static_cast<double>(total) / (board.width() * board.height());
    std::printf("%d DPI board reduced to 248 x 352: mean difference %.2f per pixel, %d pixels differ by more than 64\n",
                dpi, mean, distant);
    EXPECT_LT(mean, 1.5);
    EXPECT_LE(distant, board.width() * board.height() / 1000);

    for (std::size_t i = 0; i < std::size(captionCases); ++i) {
        const InkBounds bounds = boundsOf(inkOf(drawn[i + 1], drawn[0]));
        const InkBounds referenceBounds = boundsOf(inkOf(reference[i + 1], reference[0]));
        std::printf("%d DPI %-12s ink of %5d pixels in %d,%d-%d,%d (96 DPI: %d pixels in %d,%d-%d,%d)\n", dpi,
                    captionCases[i].name, bounds.pixels, bounds.left, bounds.top, bounds.right, bounds.bottom,
                    referenceBounds.pixels, referenceBounds.left, referenceBounds.top, referenceBounds.right,
                    referenceBounds.bottom);
        expectInkInTheScaledPlace(captionCases[i].name, bounds, referenceBounds, dpi);
    }
}

// Run by the test below in a process at another DPI.
TEST_F(BoardAtDpi, MatchesTheBoardOfTheStartingProcess)
{
    const std::wstring path = environmentValue(referenceVariable);
    if (path.empty())
        GTEST_SKIP() << "runs in the processes that TheBoardIsTheSamePictureAtEveryDpi starts";
    const std::vector<PixelImage> reference = readReferencePictures(path);
    const std::vector<PixelImage> drawn = paintBoards();
    ASSERT_EQ(reference.size(), drawn.size()) << "the starting process's boards cannot be read";
    if (screenDpi() == 192)
        compareAtTwice(drawn, reference);
    else
        compareReduced(drawn, reference, screenDpi());
}

TEST_F(BoardAtDpi, TheBoardIsTheSamePictureAtEveryDpi)
{
    if (const char* why = whyNoRunsAtOtherDpis())
        GTEST_SKIP() << why;
    if (window_->dpi() != 96)
        GTEST_SKIP() << "compares with a board at 96 DPI";
    const std::wstring reference = directory_.path() + L"\\boards.bin";
    ASSERT_TRUE(writeReferencePictures(reference, paintBoards()));
    ASSERT_TRUE(SetEnvironmentVariableW(referenceVariable, reference.c_str()));
    expectPassingRunsAtDpis({120, 144, 192}, "BoardAtDpi.MatchesTheBoardOfTheStartingProcess");
    SetEnvironmentVariableW(referenceVariable, nullptr);
}

TEST(MainWindowAtRaisedDpis, ClientAreaIsTheBoardScaledAt120144And192Dpi)
{
    if (const char* why = whyNoRunsAtOtherDpis())
        GTEST_SKIP() << why;
    expectPassingRunsAtDpis({120, 144, 192}, "MainWindowTest.ClientAreaIsTheBoardsSizeAtTheStoredPosition");
}

// What Windows sends when the window moves to a monitor of another DPI.
void changeDpi(HWND window, int dpi, const RECT& suggested)
{
    SendMessageW(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

SIZE outerSize(HWND window)
{
    RECT outer{};
    GetWindowRect(window, &outer);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

TEST_F(BoardAtDpi, DpiChangedResizesTheWindowAndRepaintsTheBoardAtTwice)
{
    if (window_->dpi() != 96)
        GTEST_SKIP() << "starts from a window at 96 DPI";
    setUpBoard(game());
    hideCaptions(game());
    const PixelImage before = pictureOf(*capture());
    RECT outer{};
    GetWindowRect(hwnd(), &outer);

    // The system suggests the window's rectangle scaled about its place.
    const RECT suggested{outer.left + 30, outer.top + 20, outer.left + 30 + 2 * (outer.right - outer.left),
                         outer.top + 20 + 2 * (outer.bottom - outer.top)};
    ValidateRect(hwnd(), nullptr);
    changeDpi(hwnd(), 192, suggested);

    RECT moved{};
    GetWindowRect(hwnd(), &moved);
    EXPECT_EQ(moved.left, suggested.left);
    EXPECT_EQ(moved.top, suggested.top);
    RECT client{};
    GetClientRect(hwnd(), &client);
    EXPECT_EQ(client.right, 496);
    EXPECT_EQ(client.bottom, 704);
    EXPECT_TRUE(GetUpdateRect(hwnd(), nullptr, FALSE)) << "no repaint asked for";
    EXPECT_TRUE(pumpUntil([&] { return !GetUpdateRect(hwnd(), nullptr, FALSE); })) << "not repainted";
    expectSamePixels(pictureOf(*capture()), enlarged(before, 2), "the board after the change to 192 DPI");

    // Back again: the art and fonts of 96 DPI are made anew, the same as before.
    GetWindowRect(hwnd(), &outer);
    changeDpi(hwnd(), 96, RECT{outer.left, outer.top, outer.left + 100, outer.top + 100});
    GetClientRect(hwnd(), &client);
    EXPECT_EQ(client.right, 248);
    EXPECT_EQ(client.bottom, 352);
    expectSamePixels(pictureOf(*capture()), before, "the board back at 96 DPI");
}

// The size the system is told to suggest: the window's own at its DPI, and a
// window that holds the board at twice the size at 192.
TEST_F(BoardAtDpi, ScaledSizeIsTheWindowThatHoldsTheBoardExactly)
{
    SIZE size{1, 1};
    EXPECT_TRUE(
        SendMessageW(hwnd(), 0x02E4 /* WM_GETDPISCALEDSIZE */, window_->dpi(), reinterpret_cast<LPARAM>(&size)));
    const SIZE now = outerSize(hwnd());
    EXPECT_EQ(size.cx, now.cx);
    EXPECT_EQ(size.cy, now.cy);

    SIZE twice{1, 1};
    EXPECT_TRUE(SendMessageW(hwnd(), 0x02E4, 2 * window_->dpi(), reinterpret_cast<LPARAM>(&twice)));
    EXPECT_GE(twice.cx - now.cx, window_->clientSize().width);
    EXPECT_GE(twice.cy - now.cy, window_->clientSize().height);
}

}  // namespace
