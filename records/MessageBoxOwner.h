// The window that owns the records' message boxes.
#pragma once

#include <windows.h>

// The settings are loaded while the main window is being created, before
// anyone could hand it to us, so it is found by its class name and title.
// Without it a box has no owner.
inline HWND messageBoxOwner()
{
    return FindWindowW(L"Brixol", L"Brixol");
}
