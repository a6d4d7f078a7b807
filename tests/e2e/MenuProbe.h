// A menu belongs to the process that loaded it: another process can get its
// handle but, under wine, cannot read it; and wine answers GetGuiResources
// with 0. The tests therefore load a small probe into Brixol.exe through a
// message hook; it answers on the program's window thread, through shared
// memory, the queries below. Shared by the probe and the tests.
#pragma once

#include <windows.h>

// Posted to the main window: wParam = MAKEWPARAM(drop-down index, serial),
// lParam = command id of the item. The probe opens the drop-down menu there
// as the system would (WM_INITMENUPOPUP) and reads the item's state.
constexpr wchar_t kMenuProbeMessage[] = L"BrixolE2eMenuProbe";
// Posted to the main window: wParam = MAKEWPARAM(0, serial). The probe counts
// the GDI objects the program holds.
constexpr wchar_t kGdiCountProbeMessage[] = L"BrixolE2eGdiCountProbe";
// Followed by the process id of the program probed.
constexpr wchar_t kMenuProbeMappingPrefix[] = L"BrixolE2eMenuProbe-";
// The hook procedure the probe exports.
constexpr char kMenuProbeHookName[] = "menuProbeHook";

struct MenuProbeAnswer {
    LONG serial;  // written last: the answer to the query with this serial is complete
    LONG found;   // the item exists in that drop-down menu
    UINT state;   // MENUITEMINFOW::fState after the menu was opened
    wchar_t menuTitle[64];
    wchar_t itemText[64];
    LONG gdiObjects;  // the live GDI objects of the program, stock objects included
};
