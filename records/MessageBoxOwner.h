// The window that owns the records' message boxes. The settings are loaded
// while the main window is being created, so the window sets itself as the
// owner then; without one a box has no owner.
#pragma once

#include <windows.h>

class MessageBoxOwner {
public:
    void setOwner(HWND owner) { owner_ = owner; }

protected:
    ~MessageBoxOwner() = default;
    HWND owner() const { return owner_; }

private:
    HWND owner_ = nullptr;
};
