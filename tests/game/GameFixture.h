// A game driven tick by tick with a seeded generator and a recording host.
#pragma once

#include <gtest/gtest.h>

#include "game/Game.h"
#include "game/Random.h"
#include "game/SoundEffects.h"
#include "tests/support/RecordingHost.h"

class GameFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        soundEnabled() = true;
        random15::seed(4242);
        ASSERT_TRUE(game.newGame());
        host.take();
    }

    // Puts the current piece at a pixel position with a given shape.
    void place(int type, int rotation, int x, int y)
    {
        game.current.setShape(type, rotation);
        game.current.x = x;
        game.current.y = y;
        game.current.landed = false;
        game.current.fallRemainder = 0.0f;
    }

    void fillRow(int row, int exceptColumn = -1)
    {
        for (int c = 0; c < Field::columns; ++c)
            if (c != exceptColumn)
                game.field.setCell(c, row, 1);
    }

    int filledCells() const
    {
        int n = 0;
        for (int c = 0; c < Field::columns; ++c)
            for (int r = 0; r < Field::rows; ++r)
                n += game.field.isEmpty(c, r) ? 0 : 1;
        return n;
    }

    // Ticks until the current piece has landed; returns the number of ticks.
    int tickUntilLanded(int limit = 2000)
    {
        int ticks = 0;
        while (!game.current.landed && ticks < limit) {
            game.tick();
            ++ticks;
        }
        return ticks;
    }

    std::vector<int> sounds() { return host.soundsTaken(); }

    RecordingHost host;
    Game game{host};
};
