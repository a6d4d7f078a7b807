#include "shell/WindowGameHost.h"

#include <mmsystem.h>

#include "shell/SoundResources.h"

void WindowGameHost::repaintAndWait()
{
    const HWND window = window_.load();
    if (window == nullptr)
        return;
    // From the timer thread, UpdateWindow returns once the window thread has
    // painted; for a window destroyed meanwhile both calls fail at once.
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

void WindowGameHost::sleep(int milliseconds)
{
    Sleep(static_cast<DWORD>(milliseconds));
}

bool WindowGameHost::postGameOver(std::uint32_t gameNumber)
{
    // With the window gone there is no one left to tell.
    const HWND window = window_.load();
    return window == nullptr || PostMessageW(window, WM_APP_GAME_OVER, gameNumber, 0) != FALSE;
}

void WindowGameHost::repostKey(int virtualKey, bool keyDown)
{
    if (const HWND window = window_.load())
        PostMessageW(window, keyDown ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(virtualKey), 0);
}

void WindowGameHost::playSound(SoundId sound)
{
    // Asynchronous, and a new sound stops the one playing; the result does
    // not matter to the game.
    PlaySoundW(MAKEINTRESOURCEW(soundResourceId(sound)), GetModuleHandleW(nullptr), SND_RESOURCE | SND_ASYNC);
}
