// The game timer of the main window: every Game::msPerTick a tick, then a
// synchronous repaint of the window when the tick changed something drawn.
#pragma once

#include "win/Timer.h"

class Game;
class GameHost;

class Updater : public Timer {
public:
    Updater(Game& game, GameHost& host) : game_(game), host_(host) {}

    // Stops the timer and waits for an event still under way, so the game can
    // be destroyed after this. The window must be gone by then: an event
    // waiting for its repaint would wait for this thread.
    ~Updater() override;

protected:
    void OnTimer() override;

private:
    Game& game_;
    GameHost& host_;
};
