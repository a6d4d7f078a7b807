// Closes a running Brixol the way its close box does, so that it saves
// Brixol.ini: WM_CLOSE to the main window, found by its class and title.
// While a dialog or message box of the game is open the main window is
// disabled (its close box too), so that box is closed first: by its own close
// box, or by its OK button when it has no other way out (the name entry of a
// new high score, which then keeps the score under the name shown).
// Exit code 0 when the close was posted, 1 when no Brixol window was found,
// 2 when its dialogs did not go away.
#include <windows.h>

namespace {

constexpr DWORD kCloseWaitMs = 1000;
constexpr DWORD kOkWaitMs = 3000;
constexpr int kMaxDialogs = 8;  // the end of a game opens three boxes in a row

HWND findBrixol()
{
    return FindWindowW(L"Brixol", L"Brixol");
}

// The enabled window that holds the main window disabled, or null.
HWND blockingPopup(HWND mainWindow)
{
    if (IsWindowEnabled(mainWindow))
        return nullptr;
    const HWND popup = GetLastActivePopup(mainWindow);
    return popup != mainWindow ? popup : nullptr;
}

bool waitUntilEnabledOrGone(HWND mainWindow, HWND popup, DWORD waitMs)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < waitMs) {
        if (!IsWindow(mainWindow) || IsWindowEnabled(mainWindow) || blockingPopup(mainWindow) != popup)
            return true;
        Sleep(50);
    }
    return false;
}

}  // namespace

int main()
{
    const HWND mainWindow = findBrixol();
    if (mainWindow == nullptr)
        return 1;
    for (int i = 0; i < kMaxDialogs; ++i) {
        const HWND popup = blockingPopup(mainWindow);
        if (popup == nullptr)
            break;
        PostMessageW(popup, WM_CLOSE, 0, 0);
        if (waitUntilEnabledOrGone(mainWindow, popup, kCloseWaitMs))
            continue;
        PostMessageW(popup, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        if (!waitUntilEnabledOrGone(mainWindow, popup, kOkWaitMs))
            return 2;
    }
    if (!IsWindow(mainWindow))
        return 0;
    if (blockingPopup(mainWindow) != nullptr)
        return 2;
    return PostMessageW(mainWindow, WM_CLOSE, 0, 0) ? 0 : 1;
}
