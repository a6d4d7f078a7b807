#include "shell/Updater.h"

#include "game/Game.h"
#include "game/GameHost.h"

Updater::~Updater()
{
    stopAndWait();
}

void Updater::OnTimer()
{
    game_.tick();
    // A tick that changed nothing drawn (a slow piece between two pixels, a
    // resting board) would repaint the same frame: the window keeps the last.
    if (game_.frameChangedSincePaint())
        host_.repaintAndWait();
}
