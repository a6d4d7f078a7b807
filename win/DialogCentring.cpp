#include "win/DialogCentring.h"

#include "win/KeptInside.h"

namespace {

LONG centredStart(LONG low, LONG high, LONG length)
{
    return (low + high) / 2 - length / 2;
}

}  // namespace

bool canCentreOver(const CentringOwner& owner)
{
    return owner.visible && !owner.minimised;
}

POINT centredDialogPosition(SIZE dialog, const std::optional<CentringOwner>& owner, const RECT& workArea)
{
    const RECT& centre = owner && canCentreOver(*owner) ? owner->rect : workArea;
    const LONG x = centredStart(centre.left, centre.right, dialog.cx);
    const LONG y = centredStart(centre.top, centre.bottom, dialog.cy);
    return {keptInside(x, dialog.cx, workArea.left, workArea.right),
            keptInside(y, dialog.cy, workArea.top, workArea.bottom)};
}

void centreDialog(HWND dialog)
{
    RECT dialogRect;
    if (!GetWindowRect(dialog, &dialogRect))
        return;

    std::optional<CentringOwner> owner;
    const HWND ownerWindow = GetWindow(dialog, GW_OWNER);
    RECT ownerRect;
    if (ownerWindow != nullptr && GetWindowRect(ownerWindow, &ownerRect))
        owner = CentringOwner{ownerRect, IsWindowVisible(ownerWindow) != FALSE, IsIconic(ownerWindow) != FALSE};

    // A minimised owner counts by where it was before, which is what
    // MonitorFromWindow looks at; its window rectangle is far off screen.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    const HWND nearest = owner ? ownerWindow : dialog;
    if (!GetMonitorInfoW(MonitorFromWindow(nearest, MONITOR_DEFAULTTONEAREST), &monitor))
        return;

    const SIZE size{dialogRect.right - dialogRect.left, dialogRect.bottom - dialogRect.top};
    const POINT position = centredDialogPosition(size, owner, monitor.rcWork);
    SetWindowPos(dialog, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
