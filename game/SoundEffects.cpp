#include "game/SoundEffects.h"

std::atomic<bool>& soundEnabled()
{
    static std::atomic<bool> enabled{true};
    return enabled;
}
