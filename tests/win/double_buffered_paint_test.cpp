// The double-buffered paint: drawing happens in window coordinates in a
// buffer, exactly the painted area reaches the output, and the paint says
// whether that was the whole client area of the window.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "win/BackBuffer.h"
#include "win/DoubleBufferedPaint.h"
#include "win/Handles.h"
#include "win/Window.h"
#include "tests/support/win32/PixelCanvas.h"

namespace {

const Rgb white{255, 255, 255};
const Rgb blue{0, 0, 255};
const Rgb red{255, 0, 0};
const Rgb green{0, 160, 0};

void fillRect(HDC dc, const RECT& rect, Rgb color)
{
    const UniqueBrush brush(CreateSolidBrush(color.colorRef()));
    FillRect(dc, &rect, brush.get());
}

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(DoubleBufferedPaintTest, AreaAwayFromTheOriginIsDrawnInWindowCoordinates)
{
    PixelCanvas output(80, 60);
    ASSERT_TRUE(output.ready());
    BackBuffer buffer;
    const RECT area{30, 20, 60, 50};
    HDC paintedDc = nullptr;
    RECT paintedArea{};

    paintBuffered(output.dc(), area, SIZE{80, 60}, buffer, PaintCoverage::PartOfClient,
                  [&](HDC dc, const RECT& painted, PaintCoverage) {
        paintedDc = dc;
        paintedArea = painted;
        fillRect(dc, painted, blue);
        fillRect(dc, RECT{35, 25, 40, 30}, red);
        // Outside the area: must not reach the output.
        fillRect(dc, RECT{0, 0, 80, 20}, green);
    });

    EXPECT_NE(paintedDc, output.dc());
    EXPECT_TRUE(sameRect(paintedArea, area));
    const struct {
        int x, y;
        Rgb expected;
    } pixels[] = {
        {35, 25, red},   {39, 29, red},   {30, 20, blue},  {59, 49, blue},  {40, 25, blue},
        {29, 30, white}, {60, 30, white}, {45, 19, white}, {45, 50, white}, {5, 5, white},
    };
    for (const auto& pixel : pixels)
        EXPECT_EQ(output.pixel(pixel.x, pixel.y), pixel.expected) << "at " << pixel.x << ", " << pixel.y;
}

SIZE bitmapSizeOf(HBITMAP bitmap)
{
    BITMAP info{};
    return GetObjectW(bitmap, sizeof info, &info) ? SIZE{info.bmWidth, info.bmHeight} : SIZE{0, 0};
}

TEST(BackBufferTest, KeepsItsBitmapForTheSameSizeAndMakesANewOneForAnother)
{
    PixelCanvas output(8, 8);
    BackBuffer buffer;
    ASSERT_NE(buffer.prepare(output.dc(), 64, 48), nullptr);
    const HBITMAP first = buffer.bitmap();
    ASSERT_NE(first, nullptr);

    ASSERT_NE(buffer.prepare(output.dc(), 64, 48), nullptr);
    EXPECT_EQ(buffer.bitmap(), first) << "the same size must not make a new bitmap";

    ASSERT_NE(buffer.prepare(output.dc(), 80, 60), nullptr);
    const SIZE size = bitmapSizeOf(buffer.bitmap());
    EXPECT_EQ(size.cx, 80);
    EXPECT_EQ(size.cy, 60);
    EXPECT_EQ(buffer.width(), 80);
    EXPECT_EQ(buffer.height(), 60);
}

// What the previous paint left in the kept buffer outside the area must not
// reach the output; the area is drawn in client coordinates.
TEST(BackBufferTest, KeptBufferCopiesOnlyTheAreaOfEachPaint)
{
    PixelCanvas output(80, 60);
    ASSERT_TRUE(output.ready());
    BackBuffer buffer;
    paintBuffered(output.dc(), RECT{0, 0, 80, 60}, SIZE{80, 60}, buffer, PaintCoverage::WholeClient,
                  [&](HDC dc, const RECT& area, PaintCoverage) { fillRect(dc, area, blue); });
    output.fill(white);

    const RECT area{30, 20, 60, 50};
    RECT paintedArea{};
    paintBuffered(output.dc(), area, SIZE{80, 60}, buffer, PaintCoverage::PartOfClient,
                  [&](HDC dc, const RECT& painted, PaintCoverage) {
        paintedArea = painted;
        fillRect(dc, RECT{30, 20, 60, 50}, green);
        fillRect(dc, RECT{35, 25, 40, 30}, red);
    });

    EXPECT_TRUE(sameRect(paintedArea, area));
    const struct {
        int x, y;
        Rgb expected;
    } pixels[] = {
        {35, 25, red}, {39, 29, red}, {30, 20, green}, {59, 49, green}, {29, 30, white}, {60, 30, white}, {5, 5, white},
    };
    for (const auto& pixel : pixels)
        EXPECT_EQ(output.pixel(pixel.x, pixel.y), pixel.expected) << "at " << pixel.x << ", " << pixel.y;
}

const wchar_t* const className = L"BrixolPaintTest";

// Paints the whole area green with a red square at (10, 10), through the
// base's double-buffered paint.
class PaintedWindow : public WindowBase<PaintedWindow, Painting::DoubleBuffered> {
public:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_ERASEBKGND || message == WM_PAINT || message == WM_PRINTCLIENT)
            ++paintMessagesSeen;
        return defaultHandling(message, wParam, lParam);
    }

    void OnPaint(HDC dc, PaintCoverage coverage)
    {
        ++paints;
        lastCoverage = coverage;
        // The buffer is the area being painted, in client coordinates.
        GetClipBox(dc, &lastArea);
        fillRect(dc, lastArea, green);
        fillRect(dc, RECT{10, 10, 14, 14}, red);
    }

    int paints = 0;
    int paintMessagesSeen = 0;  // the base handles them all
    RECT lastArea{};
    PaintCoverage lastCoverage = PaintCoverage::PartOfClient;
};

class PaintedWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WindowClassInfo info;
        info.name = className;
        ASSERT_TRUE(PaintedWindow::registerClass(info));
        ASSERT_NE(window.create(className, L"paint", WS_POPUP, 0, WindowBounds{0, 0, 64, 48}), nullptr);
        ASSERT_TRUE(GetClientRect(window.hwnd(), &client));
    }

    PaintedWindow window;
    RECT client{};
};

TEST_F(PaintedWindowTest, PrintClientPaintsTheWholeClientAreaIntoTheGivenDc)
{
    PixelCanvas output(client.right, client.bottom);
    ASSERT_TRUE(output.ready());

    SendMessageW(window.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(output.dc()), PRF_CLIENT);

    EXPECT_EQ(window.paints, 1);
    EXPECT_TRUE(sameRect(window.lastArea, client));
    EXPECT_EQ(window.lastCoverage, PaintCoverage::PartOfClient) << "nothing reached the window";
    EXPECT_EQ(output.pixel(11, 11), red);
    EXPECT_EQ(output.pixel(0, 0), green);
    EXPECT_EQ(output.pixel(client.right - 1, client.bottom - 1), green);
}

TEST_F(PaintedWindowTest, PaintCoversTheInvalidAreaAndValidatesIt)
{
    ShowWindow(window.hwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(window.hwnd());
    const int paintsBefore = window.paints;
    const RECT invalid{5, 6, 25, 27};

    InvalidateRect(window.hwnd(), &invalid, FALSE);
    UpdateWindow(window.hwnd());

    EXPECT_EQ(window.paints, paintsBefore + 1);
    EXPECT_LE(window.lastArea.left, invalid.left);
    EXPECT_LE(window.lastArea.top, invalid.top);
    EXPECT_GE(window.lastArea.right, invalid.right);
    EXPECT_GE(window.lastArea.bottom, invalid.bottom);
    EXPECT_FALSE(GetUpdateRect(window.hwnd(), nullptr, FALSE));
    EXPECT_EQ(window.paintMessagesSeen, 0);
}

struct CoverageCase {
    const char* name;
    // The parts of the client area (64 x 48) to invalidate; none: all of it.
    std::vector<RECT> invalid;
    PaintCoverage expected;
};

void PrintTo(const CoverageCase& c, std::ostream* out) { *out << c.name; }

class PaintCoverageTest : public PaintedWindowTest, public ::testing::WithParamInterface<CoverageCase> {};

// Only a paint that reached all of the client area puts the whole frame on
// the window; one of a part leaves the rest as it was, even where the parts'
// bounds span the whole area.
TEST_P(PaintCoverageTest, PaintSaysWhetherItReachedTheWholeClientArea)
{
    ShowWindow(window.hwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(window.hwnd());
    window.lastCoverage = GetParam().expected == PaintCoverage::WholeClient ? PaintCoverage::PartOfClient
                                                                             : PaintCoverage::WholeClient;
    const int paintsBefore = window.paints;
    if (GetParam().invalid.empty())
        InvalidateRect(window.hwnd(), nullptr, FALSE);
    for (const RECT& part : GetParam().invalid)
        InvalidateRect(window.hwnd(), &part, FALSE);

    UpdateWindow(window.hwnd());

    ASSERT_EQ(window.paints, paintsBefore + 1);
    EXPECT_EQ(window.lastCoverage, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Invalidations, PaintCoverageTest,
    ::testing::Values(CoverageCase{"AllOfIt", {}, PaintCoverage::WholeClient},
                      CoverageCase{"ItsOwnRectangle", {RECT{0, 0, 64, 48}}, PaintCoverage::WholeClient},
                      CoverageCase{"ACorner", {RECT{0, 0, 8, 8}}, PaintCoverage::PartOfClient},
                      CoverageCase{"AllButOneRow", {RECT{0, 0, 64, 47}}, PaintCoverage::PartOfClient},
                      CoverageCase{"TwoOppositeCorners", {RECT{0, 0, 8, 8}, RECT{56, 40, 64, 48}},
                                   PaintCoverage::PartOfClient}),
    [](const ::testing::TestParamInfo<CoverageCase>& info) { return std::string(info.param.name); });

TEST_F(PaintedWindowTest, EraseBackgroundErasesNothing)
{
    PixelCanvas output(client.right, client.bottom);
    ASSERT_TRUE(output.ready());
    fillRect(output.dc(), client, blue);

    EXPECT_EQ(SendMessageW(window.hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(output.dc()), 0), 1);

    EXPECT_EQ(output.pixel(0, 0), blue);
    EXPECT_EQ(window.paintMessagesSeen, 0);
}

// The base keeps its buffer between paints; a window made larger must get
// a buffer of its new size, or its new part would never be painted.
TEST_F(PaintedWindowTest, PaintAfterAResizeCoversTheNewClientArea)
{
    ShowWindow(window.hwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(window.hwnd());
    ASSERT_TRUE(SetWindowPos(window.hwnd(), nullptr, 0, 0, 100, 90, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    RECT larger{};
    ASSERT_TRUE(GetClientRect(window.hwnd(), &larger));
    ASSERT_GT(larger.right, client.right);
    PixelCanvas output(larger.right, larger.bottom, blue);
    ASSERT_TRUE(output.ready());

    SendMessageW(window.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(output.dc()), PRF_CLIENT);

    EXPECT_TRUE(sameRect(window.lastArea, larger));
    EXPECT_EQ(output.pixel(11, 11), red);
    EXPECT_EQ(output.pixel(larger.right - 1, larger.bottom - 1), green);
    EXPECT_EQ(output.pixel(client.right + 1, 2), green);
}

}  // namespace
