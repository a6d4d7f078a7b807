// The probe that the tests load into Brixol.exe (see MenuProbe.h). It runs on
// the program's window thread, inside its message loop, so everything it does
// is what a click on the menu bar would do there.
#include "tests/e2e/MenuProbe.h"

#include <cwchar>

namespace {

UINT menuQuery()
{
    static const UINT message = RegisterWindowMessageW(kMenuProbeMessage);
    return message;
}

UINT gdiCountQuery()
{
    static const UINT message = RegisterWindowMessageW(kGdiCountProbeMessage);
    return message;
}

// Every handle value GDI can give, without the reuse count in the high word:
// wine takes such a value for whichever object holds that slot. (On Windows
// the tests read GetGuiResources instead.)
LONG liveGdiObjects()
{
    constexpr ULONG_PTR kHandleValues = 0x10000;
    LONG count = 0;
    for (ULONG_PTR value = 1; value < kHandleValues; ++value) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(value)) != 0)
            ++count;
    }
    return count;
}

MenuProbeAnswer menuItemAnswer(const MSG& query)
{
    MenuProbeAnswer result{};
    const int menuIndex = LOWORD(query.wParam);
    const UINT commandId = static_cast<UINT>(query.lParam);
    const HMENU bar = GetMenu(query.hwnd);
    const HMENU menu = GetSubMenu(bar, menuIndex);
    if (menu != nullptr) {
        GetMenuStringW(bar, menuIndex, result.menuTitle, 64, MF_BYPOSITION);
        SendMessageW(query.hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(menuIndex, FALSE));
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_STRING;
        wchar_t text[64] = {};
        info.dwTypeData = text;
        info.cch = 64;
        if (GetMenuItemInfoW(menu, commandId, FALSE, &info)) {
            result.found = 1;
            result.state = info.fState;
            lstrcpynW(result.itemText, text, 64);
        }
    }
    return result;
}

void answer(const MSG& query, const MenuProbeAnswer& result)
{
    wchar_t name[64] = {};
    swprintf(name, 64, L"%ls%lu", kMenuProbeMappingPrefix, static_cast<unsigned long>(GetCurrentProcessId()));

    const HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name);
    if (mapping == nullptr)
        return;
    auto* shared = static_cast<MenuProbeAnswer*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(MenuProbeAnswer)));
    if (shared != nullptr) {
        shared->found = result.found;
        shared->state = result.state;
        lstrcpynW(shared->menuTitle, result.menuTitle, 64);
        lstrcpynW(shared->itemText, result.itemText, 64);
        shared->gdiObjects = result.gdiObjects;
        InterlockedExchange(&shared->serial, HIWORD(query.wParam));
        UnmapViewOfFile(shared);
    }
    CloseHandle(mapping);
}

}  // namespace

extern "C" LRESULT CALLBACK menuProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        MSG* const message = reinterpret_cast<MSG*>(lParam);
        const UINT query = message->message;
        if (query != 0 && (query == menuQuery() || query == gdiCountQuery())) {
            MenuProbeAnswer result{};
            if (query == menuQuery())
                result = menuItemAnswer(*message);
            else
                result.gdiObjects = liveGdiObjects();
            answer(*message, result);
            message->message = WM_NULL;  // the program never sees the query
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
