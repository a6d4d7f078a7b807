#include "shell/SoundResources.h"

#include "ids/ResourceIds.h"

int soundResourceId(SoundId sound)
{
    switch (sound) {
    case SoundId::LinesCleared:
        return IDW_LINES_CLEARED;
    case SoundId::Turn:
        return IDW_TURN;
    case SoundId::PieceLocked:
        return IDW_PIECE_LOCKED;
    case SoundId::LevelUp:
        return IDW_LEVEL_UP;
    case SoundId::Move:
        return IDW_MOVE;
    case SoundId::GameOver:
        return IDW_GAME_OVER;
    }
    return 0;
}
