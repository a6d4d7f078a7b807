// Headless ticks per second with random play, and the cost of composing a
// frame into a surface that only counts what it is asked to draw.
#include <benchmark/benchmark.h>

#include <random>

#include "game/DrawSurface.h"
#include "game/Game.h"
#include "game/GameHost.h"
#include "game/Random.h"
#include "tests/support/QuietHost.h"

namespace {

class CountingSurface : public DrawSurface {
public:
    Size size() const override { return {248, 352}; }
    void copyTile(int, int, int) override { ++operations; }
    void blendTile(int, int, int, std::uint8_t) override { ++operations; }
    Size pictureSize(Picture) const override { return {248, 352}; }
    void copyPicture(Picture, int, int) override { ++operations; }
    void blendPicture(Picture, int, int, std::uint8_t) override { ++operations; }
    void fill(const PixelRect&, std::uint32_t) override { ++operations; }
    void drawText(const std::wstring&, const TextStyle&, const LayoutRect&) override { ++operations; }
    long long operations = 0;
};

// One tick per iteration; a key now and then, a new game after each game over.
void BM_TickWithRandomPlay(benchmark::State& state)
{
    QuietHost host;
    Game game(host);
    random15::seed(1);
    game.newGame();
    std::mt19937 random(7);
    const int keys[] = {0x10, 0x20, 0x25, 0x26, 0x27, 0x28};
    long long games = 1;
    for (auto _ : state) {
        if (random() % 8 == 0)
            game.keyDown(keys[random() % 6]);
        if (random() % 8 == 0)
            game.keyUp(0x20);
        game.tick();
        if (!game.running) {
            game.newGame();
            ++games;
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["games"] = static_cast<double>(games);
}
BENCHMARK(BM_TickWithRandomPlay);

void BM_PaintWalk(benchmark::State& state)
{
    QuietHost host;
    Game game(host);
    game.newGame();
    game.guideEnabled = true;
    for (int r = 10; r < Field::rows; ++r)
        for (int c = 0; c < Field::columns; ++c)
            if ((r + c) % 3 != 0)
                game.field.setCell(c, r, 1 + (r + c) % 7);
    CountingSurface surface;
    for (auto _ : state) {
        game.levelUpCaption.show();
        game.deleteCaption.show(2);
        game.pauseCaption.visible = true;
        game.paint(surface, PaintReach::WholeWindow);
    }
    benchmark::DoNotOptimize(surface.operations);
}
BENCHMARK(BM_PaintWalk);

}  // namespace
