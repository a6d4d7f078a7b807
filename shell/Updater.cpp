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
    host_.repaintAndWait();
}
