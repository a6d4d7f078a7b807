#include "game/CaptionEffects.h"

// The step after the last one of a run ends it and hides the caption.
bool Caption::Effect::endRunIfDone(Caption& caption, std::int32_t duration)
{
    if (count < duration)
        return false;
    count = 0;
    finished = true;
    caption.visible = false;
    return true;
}

void Caption::FadeOut::step(Caption& caption)
{
    if (endRunIfDone(caption, duration))
        return;
    if (count == 0) {
        savedAlpha = static_cast<std::int32_t>((caption.color >> 24) & 0xFF);
        savedRed = static_cast<std::int32_t>((caption.color >> 16) & 0xFF);
        savedGreen = static_cast<std::int32_t>((caption.color >> 8) & 0xFF);
        savedBlue = static_cast<std::int32_t>(caption.color & 0xFF);
    }
    const float t = static_cast<float>(count) / static_cast<float>(duration);
    const float f = t * t;
    const std::uint32_t alpha = static_cast<std::uint32_t>((1.0f - f) * static_cast<float>(savedAlpha)) & 0xFF;
    caption.color = (alpha << 24) | (static_cast<std::uint32_t>(savedRed) << 16) |
                    (static_cast<std::uint32_t>(savedGreen) << 8) | static_cast<std::uint32_t>(savedBlue);
    ++count;
}

void Caption::Move::step(Caption& caption)
{
    if (endRunIfDone(caption, duration))
        return;
    if (count == 0) {
        startX = caption.x;
        startY = caption.y;
        finished = false;
    }
    const float steps = static_cast<float>(count);
    caption.y = startY - static_cast<std::int32_t>(steps * vy);
    caption.x = startX - static_cast<std::int32_t>(steps * vx);
    ++count;
}
