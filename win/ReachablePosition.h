// Where a top-level window may open so that the user can always reach it:
// where it was left, unless no part of its title bar would be on any monitor;
// then on the monitor nearest to that title bar, inside its work area. A
// window partly off screen, its title bar still in reach, stays as it was.
#pragma once

#include <windows.h>

#include <vector>

// One monitor in virtual-screen coordinates.
struct MonitorArea {
    RECT monitor;
    RECT work;  // without the taskbar
};

// The top-left corner for a window of this outer size whose title bar is its
// top titleBarHeight pixels, stored at `stored`. Any stored numbers, however
// far out, give a position on a monitor; with no monitor at all the stored
// position stays.
POINT reachableWindowPosition(POINT stored, SIZE size, int titleBarHeight, const std::vector<MonitorArea>& monitors);

// The monitors of the desktop, empty if they cannot be read.
std::vector<MonitorArea> displayMonitors();
