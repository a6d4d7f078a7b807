// Brixol's entry point: the main window and the window thread's message loop.
#include <windows.h>

#include "shell/MainWindow.h"
#include "shell/SettingsFileClaim.h"
#include "win/GdiplusSession.h"

namespace {

// How long a second copy waits for the first one's window to appear, when
// both were started at almost the same moment.
constexpr DWORD kHolderWindowWaitMs = 5000;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand)
{
    // Two copies on one settings file would overwrite each other's scores:
    // the second hands over to the first. When the first is already closing
    // (its window gone), this one runs.
    SettingsFileClaim claim(kSettingsFilePath);
    if (!claim.held()) {
        if (const HWND running = claim.holderWindow(kHolderWindowWaitMs)) {
            bringToFront(running);
            return 0;
        }
    }

    // The manifest asks for the themed common controls; Windows XP uses them
    // only once their library is loaded.
    LoadLibraryW(L"comctl32.dll");

    // Outlives the window and everything it draws with.
    const GdiplusSession gdiplus;
    MessageLoop loop;
    CMainWindow window(loop);
    if (!window.create())
        return 1;
    claim.publish(window.hwnd());
    ShowWindow(window.hwnd(), showCommand);
    return loop.run();
}
