#include "game/SoundEffects.h"

#include "game/GameHost.h"

std::atomic<bool>& soundEnabled()
{
    static std::atomic<bool> enabled{true};
    return enabled;
}

void playSoundEffect(GameHost& host, SoundId sound)
{
    if (soundEnabled().load())
        host.playSound(sound);
}
