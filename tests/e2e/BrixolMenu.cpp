#include "tests/e2e/BrixolMenu.h"

#include "tests/e2e/BrixolProcess.h"
#include "tests/e2e/DesktopWindows.h"
#include "tests/e2e/HostPath.h"

#ifndef BRIXOL_E2E_MENU_PROBE
#error "BRIXOL_E2E_MENU_PROBE must name the menu probe library"
#endif

BrixolMenu::BrixolMenu(HWND mainWindow) : window_(mainWindow)
{
    DWORD processId = 0;
    const DWORD threadId = GetWindowThreadProcessId(mainWindow, &processId);
    const std::wstring name = kMenuProbeMappingPrefix + std::to_wstring(processId);
    mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(MenuProbeAnswer),
                                  name.c_str());
    if (mapping_ != nullptr)
        shared_ = static_cast<MenuProbeAnswer*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(MenuProbeAnswer)));
    if (shared_ == nullptr) {
        error_ = "cannot share memory with the probe, error " + std::to_string(GetLastError());
        return;
    }
    const std::wstring probePath = windowsPathOf(BRIXOL_E2E_MENU_PROBE);
    probe_ = LoadLibraryW(probePath.c_str());
    // GetProcAddress knows no signatures; the detour through void* says so.
    const auto hookProcedure = probe_ != nullptr ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                                       GetProcAddress(probe_, kMenuProbeHookName)))
                                                 : nullptr;
    if (hookProcedure == nullptr) {
        error_ = "cannot load the probe " + narrow(probePath) + ", error " + std::to_string(GetLastError());
        return;
    }
    hook_ = SetWindowsHookExW(WH_GETMESSAGE, hookProcedure, probe_, threadId);
    if (hook_ == nullptr)
        error_ = "cannot hook the program's messages, error " + std::to_string(GetLastError());
}

BrixolMenu::~BrixolMenu()
{
    if (hook_ != nullptr)
        UnhookWindowsHookEx(hook_);
    if (probe_ != nullptr)
        FreeLibrary(probe_);
    if (shared_ != nullptr)
        UnmapViewOfFile(shared_);
    if (mapping_ != nullptr)
        CloseHandle(mapping_);
}

MenuItemState BrixolMenu::openItem(int menuIndex, UINT commandId)
{
    MenuItemState state;
    if (!ready())
        return state;
    static const UINT probeMessage = RegisterWindowMessageW(kMenuProbeMessage);
    serial_ = serial_ % 0xFFFF + 1;
    const LONG serial = serial_;
    if (!PostMessageW(window_, probeMessage, MAKEWPARAM(menuIndex, serial), static_cast<LPARAM>(commandId)))
        return state;
    if (!waitUntil([&] { return InterlockedCompareExchange(&shared_->serial, 0, 0) == serial; },
                   BrixolProcess::windowTimeoutMs))
        return state;
    state.found = shared_->found != 0;
    state.menuTitle = shared_->menuTitle;
    state.text = shared_->itemText;
    state.checked = (shared_->state & MFS_CHECKED) != 0;
    state.disabled = (shared_->state & MFS_DISABLED) != 0;
    return state;
}
