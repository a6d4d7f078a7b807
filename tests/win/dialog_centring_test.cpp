// The placement rule on rectangles, then the Win32 wrapper on real windows.
#include <gtest/gtest.h>

#include <optional>

#include "win/DialogCentring.h"
#include "win/Handles.h"

namespace {

CentringOwner shownOwner(RECT rect)
{
    return {rect, true, false};
}

TEST(DialogCentring, PlacesTheDialogByTheRule)
{
    struct Case {
        const char* what;
        SIZE dialog;
        std::optional<CentringOwner> owner;
        RECT workArea;
        POINT expected;
    };
    const RECT screen{0, 0, 1280, 1000};
    const Case cases[] = {
        // (100 + 500) / 2 - 100, (100 + 400) / 2 - 50
        {"centred over the owner", {200, 100}, shownOwner({100, 100, 500, 400}), screen, {200, 200}},
        // (101 + 400) / 2 - 201 / 2 = 250 - 100, (100 + 301) / 2 - 51 / 2 = 200 - 25
        {"integer halves", {201, 51}, shownOwner({101, 100, 400, 301}), screen, {150, 175}},
        // Truncation toward zero on a monitor left of the primary:
        // (-301 + 0) / 2 - 50 = -150 - 50
        {"negative coordinates", {100, 100}, shownOwner({-301, 0, 0, 100}), {-1280, 0, 0, 1000}, {-200, 0}},
        // Centred at 1100, 900 it would end at 1400, 1100.
        {"owner near the right and bottom edges", {300, 200}, shownOwner({1100, 900, 1400, 1100}), screen, {980, 800}},
        // Centred at -300, -200; the work area starts below a top taskbar.
        {"owner off the left and top edges", {200, 100}, shownOwner({-400, -300, 0, 0}), {0, 30, 1280, 1000}, {0, 30}},
        {"dialog larger than the work area", {1500, 1200}, shownOwner({100, 100, 500, 400}), {10, 20, 1290, 1020},
         {10, 20}},
        // (0 + 1280) / 2 - 100, (0 + 1000) / 2 - 50
        {"hidden owner", {200, 100}, CentringOwner{{100, 100, 500, 400}, false, false}, screen, {540, 450}},
        {"minimised owner", {200, 100}, CentringOwner{{-32000, -32000, -31840, -31973}, true, true}, screen,
         {540, 450}},
        // A second monitor right of the primary: (1280 + 2560) / 2 - 100
        {"no owner", {200, 100}, std::nullopt, {1280, 0, 2560, 1000}, {1820, 450}},
    };
    for (const Case& c : cases) {
        const POINT position = centredDialogPosition(c.dialog, c.owner, c.workArea);
        EXPECT_EQ(position.x, c.expected.x) << c.what;
        EXPECT_EQ(position.y, c.expected.y) << c.what;
    }
}

RECT windowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT workAreaOf(HWND window)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

LONG middle(LONG low, LONG high)
{
    return (low + high) / 2;
}

UniqueWindow popup(HWND owner, int x, int y, int width, int height, DWORD visibility)
{
    return UniqueWindow(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | visibility, x, y, width, height, owner, nullptr,
                                        GetModuleHandleW(nullptr), nullptr));
}

TEST(DialogCentring, MovesARealWindowOverItsOwnerOrIntoTheWorkArea)
{
    enum class Owner { shown, hidden, minimised, none };
    struct Case {
        const char* what;
        Owner owner;
        bool overOwner;  // else in the middle of the work area
    };
    const Case cases[] = {
        {"shown owner", Owner::shown, true},
        {"hidden owner", Owner::hidden, false},
        {"minimised owner", Owner::minimised, false},
        {"no owner", Owner::none, false},
    };
    for (const Case& c : cases) {
        UniqueWindow owner;
        if (c.owner != Owner::none) {
            owner = popup(nullptr, 150, 120, 500, 360, c.owner == Owner::hidden ? 0 : WS_VISIBLE);
            ASSERT_TRUE(owner) << c.what;
            if (c.owner == Owner::minimised)
                ShowWindow(owner.get(), SW_MINIMIZE);
        }
        const UniqueWindow dialog = popup(owner.get(), 0, 0, 201, 101, 0);
        ASSERT_TRUE(dialog) << c.what;

        centreDialog(dialog.get());

        const RECT placed = windowRect(dialog.get());
        EXPECT_EQ(placed.right - placed.left, 201) << c.what << ": size kept";
        EXPECT_EQ(placed.bottom - placed.top, 101) << c.what << ": size kept";
        const RECT centre = c.overOwner ? windowRect(owner.get()) : workAreaOf(dialog.get());
        EXPECT_NEAR(middle(placed.left, placed.right), middle(centre.left, centre.right), 1) << c.what;
        EXPECT_NEAR(middle(placed.top, placed.bottom), middle(centre.top, centre.bottom), 1) << c.what;
    }
}

TEST(DialogCentring, KeepsARealWindowInsideTheWorkArea)
{
    const UniqueWindow probe = popup(nullptr, 0, 0, 10, 10, 0);
    ASSERT_TRUE(probe);
    const RECT work = workAreaOf(probe.get());
    // An owner half off the bottom right corner of the work area.
    const UniqueWindow owner = popup(nullptr, work.right - 100, work.bottom - 80, 400, 300, WS_VISIBLE);
    ASSERT_TRUE(owner);
    const UniqueWindow dialog = popup(owner.get(), 0, 0, 300, 200, 0);
    ASSERT_TRUE(dialog);

    centreDialog(dialog.get());

    const RECT placed = windowRect(dialog.get());
    EXPECT_EQ(placed.right, work.right);
    EXPECT_EQ(placed.bottom, work.bottom);
}

}  // namespace
