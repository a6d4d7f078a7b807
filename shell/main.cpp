// Brixol's entry point.
#include <windows.h>

#include "shell/Startup.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand)
{
    return runBrixol(showCommand);
}
