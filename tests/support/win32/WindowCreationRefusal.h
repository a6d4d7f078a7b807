// Refuses to create windows of one class on this thread for the object's
// life, as when the system is out of window resources: the creation fails as
// it would then. ClassName is a name with linkage ("#32770" for dialogs).
#pragma once

#include <windows.h>

template <const wchar_t* ClassName>
class WindowCreationRefusal {
public:
    WindowCreationRefusal() : hook_(SetWindowsHookExW(WH_CBT, &refuse, nullptr, GetCurrentThreadId())) {}
    ~WindowCreationRefusal()
    {
        if (hook_ != nullptr)
            UnhookWindowsHookEx(hook_);
    }
    WindowCreationRefusal(const WindowCreationRefusal&) = delete;
    WindowCreationRefusal& operator=(const WindowCreationRefusal&) = delete;

    bool active() const { return hook_ != nullptr; }

private:
    static LRESULT CALLBACK refuse(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND) {
            wchar_t name[64] = {};
            GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64);
            if (lstrcmpiW(name, ClassName) == 0)
                return 1;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    HHOOK hook_;
};
