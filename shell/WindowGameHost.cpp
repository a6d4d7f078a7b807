#include "shell/WindowGameHost.h"

#include <mmsystem.h>

void WindowGameHost::repaintAndWait()
{
    // From the timer thread, UpdateWindow returns once the window thread has
    // painted; for a window that is gone it returns at once.
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
}

void WindowGameHost::sleep(int milliseconds)
{
    Sleep(static_cast<DWORD>(milliseconds));
}

void WindowGameHost::postGameOver(std::uint32_t gameNumber)
{
    PostMessageW(window_, WM_APP_GAME_OVER, gameNumber, 0);
}

void WindowGameHost::repostKey(int virtualKey, bool keyDown)
{
    PostMessageW(window_, keyDown ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(virtualKey), 0);
}

void WindowGameHost::playSound(SoundId sound)
{
    // Asynchronous, and a new sound stops the one playing; the result does
    // not matter to the game.
    PlaySoundW(MAKEINTRESOURCEW(static_cast<int>(sound)), GetModuleHandleW(nullptr), SND_RESOURCE | SND_ASYNC);
}
