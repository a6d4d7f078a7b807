// Which WAVE resource of the program sounds for each of the game's sounds.
#pragma once

#include "game/SoundEffects.h"

// The resource id of the sound's WAVE resource.
int soundResourceId(SoundId sound);
