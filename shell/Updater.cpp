#include "shell/Updater.h"

#include "game/Game.h"

Updater::~Updater()
{
    stopAndWait();
}

void Updater::OnTimer()
{
    game_.tick();
    // UpdateWindow from this thread waits until the window thread has painted.
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
}
