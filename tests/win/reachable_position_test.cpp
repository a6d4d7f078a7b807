// Where a window opens: as stored while any part of its title bar is on a
// monitor, otherwise inside the work area of the nearest monitor, for any
// stored numbers.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "win/ReachablePosition.h"

namespace {

constexpr SIZE kWindow{254, 401};
constexpr int kTitleBar = 22;

// A 1024 x 768 monitor with a 30-pixel taskbar at the bottom, and a second
// one to its right, 1280 x 1024, with its taskbar at the top.
const std::vector<MonitorArea> kTwoMonitors = {
    {{0, 0, 1024, 768}, {0, 0, 1024, 738}},
    {{1024, 0, 2304, 1024}, {1024, 40, 2304, 1024}},
};

TEST(ReachablePosition, StaysWhileTheTitleBarIsOnAMonitorAndIsPulledOntoTheNearestOtherwise)
{
    const struct {
        const char* what;
        POINT stored;
        POINT expected;
    } cases[] = {
        {"on the first monitor", {120, 80}, {120, 80}},
        {"just off the top left, title bar in reach", {-8, -8}, {-8, -8}},
        {"mostly off the left edge", {-250, 100}, {-250, 100}},
        {"title bar's last row on screen", {100, -kTitleBar + 1}, {100, -kTitleBar + 1}},
        {"title bar just above the screen", {100, -kTitleBar}, {100, 0}},
        {"minimised, as Windows reports it", {-32000, -32000}, {0, 0}},
        {"far to the right, beside the second monitor", {99999, 500}, {2304 - 254, 500}},
        {"just below the first monitor", {300, 800}, {300, 738 - 401}},
        {"far below the second monitor", {1500, 99999}, {1500, 1024 - 401}},
        {"largest int", {INT_MAX, INT_MAX}, {2304 - 254, 1024 - 401}},
        {"smallest int but one", {-INT_MAX, -INT_MAX}, {0, 0}},
        {"smallest int", {INT_MIN, INT_MIN}, {0, 0}},
        {"on the second monitor, above its work area", {1100, 10}, {1100, 10}},
        {"above the second monitor", {1100, -500}, {1100, 40}},
    };
    for (const auto& c : cases) {
        const POINT position = reachableWindowPosition(c.stored, kWindow, kTitleBar, kTwoMonitors);
        EXPECT_EQ(position.x, c.expected.x) << c.what;
        EXPECT_EQ(position.y, c.expected.y) << c.what;
    }
}

TEST(ReachablePosition, AWindowLargerThanTheWorkAreaKeepsItsTitleBarAndLeftEndInside)
{
    const std::vector<MonitorArea> small = {{{0, 0, 200, 300}, {0, 20, 200, 300}}};
    const POINT position = reachableWindowPosition({5000, 5000}, kWindow, kTitleBar, small);
    EXPECT_EQ(position.x, 0);
    EXPECT_EQ(position.y, 20);
}

TEST(ReachablePosition, WithNoMonitorKnownTheStoredPositionStays)
{
    const POINT position = reachableWindowPosition({-32000, -32000}, kWindow, kTitleBar, {});
    EXPECT_EQ(position.x, -32000);
    EXPECT_EQ(position.y, -32000);
}

TEST(ReachablePosition, TheDesktopHasAtLeastOneMonitorWithItsWorkAreaInside)
{
    const std::vector<MonitorArea> monitors = displayMonitors();
    ASSERT_FALSE(monitors.empty());
    for (const MonitorArea& area : monitors) {
        EXPECT_GE(area.work.left, area.monitor.left);
        EXPECT_GE(area.work.top, area.monitor.top);
        EXPECT_LE(area.work.right, area.monitor.right);
        EXPECT_LE(area.work.bottom, area.monitor.bottom);
    }
}

}  // namespace
