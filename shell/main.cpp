// Brixol's entry point: the main window and the window thread's message loop.
#include <windows.h>

#include "shell/MainWindow.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand)
{
    // The manifest asks for the themed common controls; Windows XP uses them
    // only once their library is loaded.
    LoadLibraryW(L"comctl32.dll");

    MessageLoop loop;
    CMainWindow window(loop);
    if (!window.create())
        return 1;
    ShowWindow(window.hwnd(), showCommand);
    return loop.run();
}
