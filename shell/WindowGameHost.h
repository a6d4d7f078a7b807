// What the game asks of the main window, done with the window's own handle:
// synchronous repaints, the queued game-over notice, deferred keys and sounds.
#pragma once

#include <windows.h>

#include <atomic>

#include "game/GameHost.h"

// The private message that tells the window a game has ended; wParam carries
// the game's number.
constexpr UINT WM_APP_GAME_OVER = WM_APP;

class WindowGameHost : public GameHost {
public:
    // The window the host works on, published by the window thread and read
    // by the timer thread. Null before the window exists and once it is being
    // destroyed: requests then are dropped, never sent to a null window
    // (which would mean every window of the desktop).
    void attach(HWND window) { window_.store(window); }
    void detach() { window_.store(nullptr); }

    // The one repaint-and-wait of the program: the timer's after each tick,
    // and the flash's within one.
    void repaintAndWait() override;
    void sleep(int milliseconds) override;
    bool postGameOver(std::uint32_t gameNumber) override;
    void repostKey(int virtualKey, bool keyDown) override;
    void playSound(SoundId sound) override;

private:
    std::atomic<HWND> window_{nullptr};
};
