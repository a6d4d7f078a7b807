// What the game asks of the main window, done with the window's own handle:
// synchronous repaints, the queued game-over notice, deferred keys and sounds.
#pragma once

#include <windows.h>

#include "game/GameHost.h"

// The private message that tells the window a game has ended; wParam carries
// the game's number.
constexpr UINT WM_APP_GAME_OVER = WM_APP;

class WindowGameHost : public GameHost {
public:
    // The handle is read at every call, so the host may exist before the window.
    explicit WindowGameHost(const HWND& window) : window_(window) {}

    void repaintAndWait() override;
    void sleep(int milliseconds) override;
    void postGameOver(std::uint32_t gameNumber) override;
    void repostKey(int virtualKey, bool keyDown) override;
    void playSound(SoundId sound) override;

private:
    const HWND& window_;
};
