// Where every dialog of the program places itself when it opens: over its
// owner when the user can see the owner, else in the middle of the work
// area, and always inside the work area.
#pragma once

#include <windows.h>

#include <optional>

// The owner window as the placement rule sees it.
struct CentringOwner {
    RECT rect;  // screen coordinates
    bool visible;
    bool minimised;
};

// A hidden or minimised owner gives no useful place to centre on.
bool canCentreOver(const CentringOwner& owner);

// The top-left corner for a dialog of the given size: centred over a usable
// owner, otherwise over workArea, with integer halves
// (x = (left + right) / 2 - width / 2, the same for y). The position is then
// pulled inside workArea, right and bottom edges first, left and top edges
// last, so that a dialog larger than the work area shows its top-left part.
POINT centredDialogPosition(SIZE dialog, const std::optional<CentringOwner>& owner, const RECT& workArea);

// Moves the dialog by that rule, without changing its size, Z order or
// activation. The work area is that of the monitor nearest the owner, or
// nearest the dialog when it has no owner. Called from WM_INITDIALOG. A
// dialog whose rectangles cannot be read stays where it is.
void centreDialog(HWND dialog);
