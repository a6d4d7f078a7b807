#include "shell/Startup.h"

#include <windows.h>

#include <commctrl.h>

#include "shell/MainWindow.h"
#include "shell/SettingsFileClaim.h"
#include "win/GdiplusSession.h"

namespace {

// The manifest asks for the themed common controls; their classes are
// registered here, before the first dialog. Without them the dialogs still
// work, unthemed: a failure changes nothing else.
void initCommonControls()
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
}

void reportNoWindow()
{
    MessageBoxW(nullptr, L"ウィンドウを作成できなかったため、Brixol を起動できませんでした。", L"エラー", MB_OK);
}

}  // namespace

int runBrixol(int showCommand)
{
    // Two copies on one settings file would overwrite each other's scores.
    // The claim is held from before the load to after the last save.
    SettingsFileClaim claim(kSettingsFilePath);
    if (!claim.held() && !claim.waitForTurn())
        return 0;

    initCommonControls();
    // Outlives the window and everything it draws with.
    const GdiplusSession gdiplus;
    MessageLoop loop;
    CMainWindow window(loop, [&claim] { claim.announceClosing(); });
    if (!window.create()) {
        reportNoWindow();
        return 1;
    }
    ShowWindow(window.hwnd(), showCommand);
    return loop.run();
}
