#include "game/Caption.h"

#include "game/DrawSurface.h"
#include "game/CaptionEffects.h"

namespace {
// The layout rectangle grows with the position rather than being a fixed box.
constexpr float kLayoutExtraWidth = 200.0f;
constexpr float kLayoutExtraHeight = 100.0f;
}  // namespace

Caption::Caption(std::int32_t x, std::int32_t y)
    : Object(nullptr, x, y), homeX(x), homeY(y)
{
}

Caption::~Caption() = default;

void Caption::draw(DrawSurface& target)
{
    const float left = static_cast<float>(absoluteX());
    const float top = static_cast<float>(absoluteY());
    target.drawText(text, TextStyle{fontFamily, fontSize, color},
                    LayoutRect{left, top, left + kLayoutExtraWidth, top + kLayoutExtraHeight});

    if (effects.empty())
        return;
    bool allFinished = true;
    for (const auto& effect : effects) {
        effect->step(*this);
        allFinished = allFinished && effect->finished;
    }
    if (allFinished)
        visible = false;
}

void Caption::show()
{
    x = homeX;
    y = homeY;
    visible = true;
}

void Caption::addFadeOut()
{
    effects.push_back(std::make_unique<FadeOut>());
}

void Caption::addMove(float vx, float vy)
{
    effects.push_back(std::make_unique<Move>(vx, vy));
}

void Caption::rewindEffects()
{
    for (const auto& effect : effects)
        effect->rewind();
}
