#include "tests/e2e/ProgramProbe.h"

#include "tests/e2e/BrixolProcess.h"
#include "tests/e2e/DesktopWindows.h"
#include "tests/e2e/HostPath.h"

#ifndef BRIXOL_E2E_MENU_PROBE
#error "BRIXOL_E2E_MENU_PROBE must name the menu probe library"
#endif

ProgramProbe::ProgramProbe(HWND mainWindow) : window_(mainWindow)
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

ProgramProbe::~ProgramProbe()
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

const MenuProbeAnswer* ProgramProbe::ask(const wchar_t* query, WORD argument, LPARAM lParam)
{
    if (!ready())
        return nullptr;
    serial_ = serial_ % 0xFFFF + 1;
    const LONG serial = serial_;
    if (!PostMessageW(window_, RegisterWindowMessageW(query), MAKEWPARAM(argument, serial), lParam))
        return nullptr;
    if (!waitUntil([&] { return InterlockedCompareExchange(&shared_->serial, 0, 0) == serial; },
                   BrixolProcess::windowTimeoutMs))
        return nullptr;
    return shared_;
}
