#include "game/GameCaptions.h"

#include <string>

#include "game/GameStats.h"

namespace {

const wchar_t kFontFamily[] = L"Times New Roman";

std::wstring scoreText(std::int32_t score, std::int32_t lines, std::int32_t level)
{
    return L"Score\n " + std::to_wstring(score) + L"\nLines\n " + std::to_wstring(lines) + L"\nLevel\n " +
           std::to_wstring(level);
}

// What a clear announces and where: at the caption's home, unless the notice
// has a place of its own (the longer back-to-back text starts further left).
struct ClearNotice {
    const wchar_t* text;
    std::int32_t fontSize;
    std::uint32_t color;
    bool ownPlace = false;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

constexpr ClearNotice kSingle{L"SINGLE", 16, 0xFF808080};
constexpr ClearNotice kDouble{L"DOUBLE", 16, 0xFFC0C0C0};
constexpr ClearNotice kTriple{L"TRIPLE", 16, 0xFFFFFFFF};
constexpr ClearNotice kFour{L"KALVEX", 16, 0xFFFF4000};
constexpr ClearNotice kFourBackToBack{L"BACK-TO-BACK\n       KALVEX", 18, 0xFFFF80FF, true, 10, 150};

}  // namespace

void CaptionLevelUp::reset()
{
    rewindEffects();
    fontFamily = kFontFamily;
    fontSize = 18;
    color = 0xFF64DCF0;
    text = L"LEVEL UP";
    visible = false;
}

void CaptionDelete::reset()
{
    rewindEffects();
    fontFamily = kFontFamily;
    visible = false;
    backToBack = false;
}

void CaptionDelete::show(int lines)
{
    const ClearNotice* notice = &kSingle;
    switch (lines) {
    case 2: notice = &kDouble; break;
    case 3: notice = &kTriple; break;
    case 4: notice = backToBack ? &kFourBackToBack : &kFour; break;
    default: break;
    }
    x = notice->ownPlace ? notice->x : homeX;
    y = notice->ownPlace ? notice->y : homeY;
    text = notice->text;
    fontSize = notice->fontSize;
    color = notice->color;
    backToBack = lines == 4;
    visible = true;
}

void CaptionPause::reset()
{
    fontFamily = kFontFamily;
    fontSize = 26;
    color = 0xFFFFFFFF;
    text = L"Pause";
    visible = false;
}

CaptionScore::CaptionScore(std::int32_t x, std::int32_t y, const GameStats& stats)
    : Caption(x, y), stats(&stats)
{
}

void CaptionScore::reset()
{
    fontFamily = kFontFamily;
    fontSize = 16;
    color = 0xFF000000;
    text = scoreText(0, 0, 0);
    visible = true;
}

void CaptionScore::update()
{
    text = scoreText(stats->score, stats->lines, stats->level);
}
