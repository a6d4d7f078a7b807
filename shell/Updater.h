// The game timer of the main window: every 16 ms a tick, then a synchronous
// repaint of the window.
#pragma once

#include <windows.h>

#include "shell/win/Timer.h"

class Game;

class Updater : public Timer {
public:
    static constexpr UINT periodMs = 16;

    // The handle is read at every event, so the timer may exist before the window.
    Updater(Game& game, const HWND& window) : game_(game), window_(window) {}

    // Stops the timer and waits for an event still under way, so the game can
    // be destroyed after this. The window must be gone by then: an event
    // waiting for its repaint would wait for this thread.
    ~Updater() override;

protected:
    void OnTimer() override;

private:
    Game& game_;
    const HWND& window_;
};
