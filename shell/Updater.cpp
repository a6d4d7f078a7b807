#include "shell/Updater.h"

#include "game/Game.h"

Updater::~Updater()
{
    stop();
    while (eventsUnderWay_ != 0)
        Sleep(1);
}

void Updater::OnTimer()
{
    ++eventsUnderWay_;
    game_.tick();
    // UpdateWindow from this thread waits until the window thread has painted.
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
    --eventsUnderWay_;
}
