#include "shell/Updater.h"

#include "game/Game.h"
#include "game/GameHost.h"

Updater::~Updater()
{
    stopAndWait();
}

void Updater::OnTimer()
{
    // A tick that changed nothing drawn since the window last showed a whole
    // frame (a slow piece between two pixels, a resting board) would repaint
    // the same frame: the window keeps the one it shows.
    if (game_.tick())
        host_.repaintAndWait();
}
