#include "win/ReachablePosition.h"

#include <algorithm>
#include <cstdint>

#include "win/KeptInside.h"

namespace {

// Stored numbers may be anything an int holds: the maths is done wide.
struct WideRect {
    std::int64_t left, top, right, bottom;
};

WideRect wide(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

bool meet(const WideRect& a, const WideRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// How far apart two rectangles are along one axis; 0 when they overlap.
double gap(std::int64_t lowA, std::int64_t highA, std::int64_t lowB, std::int64_t highB)
{
    return static_cast<double>(std::max<std::int64_t>({0, lowB - highA, lowA - highB}));
}

double squaredDistance(const WideRect& a, const WideRect& b)
{
    const double dx = gap(a.left, a.right, b.left, b.right);
    const double dy = gap(a.top, a.bottom, b.top, b.bottom);
    return dx * dx + dy * dy;
}

BOOL CALLBACK collectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back({info.rcMonitor, info.rcWork});
    return TRUE;
}

}  // namespace

POINT reachableWindowPosition(POINT stored, SIZE size, int titleBarHeight, const std::vector<MonitorArea>& monitors)
{
    const WideRect titleBar{stored.x, stored.y, static_cast<std::int64_t>(stored.x) + size.cx,
                            static_cast<std::int64_t>(stored.y) + titleBarHeight};
    if (monitors.empty())
        return stored;
    const MonitorArea* nearest = &monitors.front();
    for (const MonitorArea& area : monitors) {
        if (meet(titleBar, wide(area.monitor)))
            return stored;
        if (squaredDistance(titleBar, wide(area.monitor)) < squaredDistance(titleBar, wide(nearest->monitor)))
            nearest = &area;
    }
    const RECT& work = nearest->work;
    return {keptInside(stored.x, size.cx, work.left, work.right), keptInside(stored.y, size.cy, work.top, work.bottom)};
}

std::vector<MonitorArea> displayMonitors()
{
    std::vector<MonitorArea> monitors;
    if (!EnumDisplayMonitors(nullptr, nullptr, &collectMonitor, reinterpret_cast<LPARAM>(&monitors)))
        monitors.clear();
    return monitors;
}
