#include "game/Random.h"

#include <ctime>
#include <mutex>

namespace random15 {
namespace {

// A 32-bit linear congruential generator; its high 15 bits are well mixed.
struct Generator {
    std::mutex mutex;
    std::uint32_t state = 1;
};

Generator& generator()
{
    static Generator instance;
    return instance;
}

}  // namespace

void seed(std::uint32_t value)
{
    Generator& g = generator();
    const std::lock_guard<std::mutex> guard(g.mutex);
    g.state = value;
}

void seedFromClock()
{
    seed(static_cast<std::uint32_t>(std::time(nullptr)));
}

int next()
{
    Generator& g = generator();
    const std::lock_guard<std::mutex> guard(g.mutex);
    g.state = g.state * 1103515245u + 12345u;
    return static_cast<int>((g.state >> 16) & 0x7FFF);
}

}  // namespace random15
