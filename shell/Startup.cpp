#include "shell/Startup.h"

#include <windows.h>

#include "shell/MainWindow.h"
#include "shell/SettingsFileClaim.h"

int runBrixol(int showCommand)
{
    // Two copies on one settings file would overwrite each other's scores.
    // The claim is held from before the load to after the last save.
    SettingsFileClaim claim(kSettingsFilePath);
    if (!claim.held() && !claim.waitForTurn())
        return 0;

    // The manifest asks for the themed common controls; Windows XP uses them
    // only once their library is loaded.
    LoadLibraryW(L"comctl32.dll");

    MessageLoop loop;
    CMainWindow window(loop, [&claim] { claim.announceClosing(); });
    if (!window.create())
        return 1;
    ShowWindow(window.hwnd(), showCommand);
    return loop.run();
}
