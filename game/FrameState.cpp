#include "game/FrameState.h"

#include <tuple>

#include "game/Caption.h"
#include "game/Game.h"

namespace {

PieceLook lookOf(const Map& cells, const Object& object)
{
    return PieceLook{object.visible, object.absoluteX(), object.absoluteY(), cells.cells()};
}

CaptionLook lookOf(const Caption& caption)
{
    CaptionLook look{caption.visible, caption.absoluteX(), caption.absoluteY(), caption.color,
                     caption.fontSize, caption.fontFamily, caption.text, {}};
    for (const auto& effect : caption.effects)
        look.effectSteps.push_back(effect->count);
    return look;
}

}  // namespace

// Everything is compared, hidden or not: a difference too many costs one
// repaint, one too few would leave a stale frame on the screen (the guide
// follows the current piece even while the piece itself is hidden).
bool CaptionLook::operator==(const CaptionLook& o) const
{
    return std::tie(visible, x, y, color, fontSize, fontFamily, text, effectSteps) ==
           std::tie(o.visible, o.x, o.y, o.color, o.fontSize, o.fontFamily, o.text, o.effectSteps);
}

bool PieceLook::operator==(const PieceLook& o) const
{
    return std::tie(visible, x, y, cells) == std::tie(o.visible, o.x, o.y, o.cells);
}

bool FrameState::operator==(const FrameState& o) const
{
    for (int i = 0; i < 4; ++i)
        if (!(captions[i] == o.captions[i]))
            return false;
    return field == o.field && current == o.current && next == o.next && guideShown == o.guideShown;
}

FrameState frameStateOf(const Game& game)
{
    FrameState state;
    state.field = lookOf(game.field, game.field);
    state.current = lookOf(game.current, game.current);
    state.next = lookOf(game.next, game.next);
    // The guide follows from the field and the current piece.
    state.guideShown = game.guideEnabled && game.running;
    state.captions[0] = lookOf(game.levelUpCaption);
    state.captions[1] = lookOf(game.deleteCaption);
    state.captions[2] = lookOf(game.pauseCaption);
    state.captions[3] = lookOf(game.scoreCaption);
    return state;
}
