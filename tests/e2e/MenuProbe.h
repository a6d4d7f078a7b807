// A menu belongs to the process that loaded it: another process can get its
// handle but, under wine, cannot read it. The tests therefore load a small
// probe into Brixol.exe through a message hook; it opens a drop-down menu
// there as the system would (WM_INITMENUPOPUP) and reports one item's state
// through shared memory. Shared by the probe and the tests.
#pragma once

#include <windows.h>

// Posted to the main window: wParam = MAKEWPARAM(drop-down index, serial),
// lParam = command id of the item.
constexpr wchar_t kMenuProbeMessage[] = L"BrixolE2eMenuProbe";
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
};
