// Linked only into BrixolLeakingFonts, the build that proves the soak sees a
// leak: every WM_PAINT of the main window creates a font and never deletes
// it. Nothing of the program changes; its window is subclassed as it is
// created.
#include <windows.h>

namespace {

WNDPROC paintingProcedure = nullptr;

LRESULT CALLBACK leakingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
        CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    return CallWindowProcW(paintingProcedure, window, message, wParam, lParam);
}

LRESULT CALLBACK watchCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && paintingProcedure == nullptr) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (lstrcmpW(className, L"Brixol") == 0)
            paintingProcedure = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&leakingProcedure)));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Before wWinMain, on the thread that creates the window.
const HHOOK creationHook = SetWindowsHookExW(WH_CBT, &watchCreation, nullptr, GetCurrentThreadId());

}  // namespace
