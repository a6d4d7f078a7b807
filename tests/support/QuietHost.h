// A game host that ignores every notification: for tests and benchmarks that
// drive the game directly and look only at its state or its frames.
#pragma once

#include "game/GameHost.h"

class QuietHost : public GameHost {
public:
    void repaintAndWait() override {}
    void sleep(int) override {}
    bool postGameOver(std::uint32_t) override { return true; }
    void repostKey(int, bool) override {}
    void playSound(SoundId) override {}
};
