#include "game/GameStats.h"

namespace {
constexpr std::int32_t kSingle = 40;
constexpr std::int32_t kDouble = 100;
constexpr std::int32_t kTriple = 300;
constexpr std::int32_t kFour = 1200;
constexpr std::int32_t kFourBackToBack = 2000;
}  // namespace

bool GameStats::addLines(int n)
{
    switch (n) {
    case 1: score += kSingle; break;
    case 2: score += kDouble; break;
    case 3: score += kTriple; break;
    case 4: score += backToBack ? kFourBackToBack : kFour; break;
    default: break;
    }
    if (n >= 1 && n <= 4) {
        lines += n;
        backToBack = n == 4;
    }

    const std::int32_t previousLevel = level;
    level = lines / linesPerLevel;
    levelProgress = static_cast<float>(static_cast<double>(lines % linesPerLevel) / linesPerLevel);
    return level != previousLevel;
}

void GameStats::reset()
{
    score = 0;
    lines = 0;
    level = 0;
    backToBack = false;
    levelProgress = 0.0f;
}
