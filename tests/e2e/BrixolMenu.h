// The main window's menu as the user would find it on opening a drop-down
// menu, read through the probe of MenuProbe.h.
#pragma once

#include <windows.h>

#include <string>

#include "tests/e2e/ProgramProbe.h"

struct MenuItemState {
    bool found = false;
    std::wstring menuTitle;  // of the drop-down menu
    std::wstring text;
    bool checked = false;
    bool disabled = false;
};

class BrixolMenu {
public:
    // Loads the probe into the process that owns the window.
    explicit BrixolMenu(HWND mainWindow);

    bool ready() const { return probe_.ready(); }
    const std::string& error() const { return probe_.error(); }

    // Opens drop-down menu menuIndex and reads the item with that command
    // id; found stays false when the program does not answer in time.
    MenuItemState openItem(int menuIndex, UINT commandId);

private:
    ProgramProbe probe_;
};
