// What a frame shows, as values: two equal states paint the same pixels. The
// timer compares them to skip a repaint that would change nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/Map.h"

class Block;
class Caption;
class Game;

struct CaptionLook {
    bool visible = false;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint32_t color = 0;
    std::int32_t fontSize = 0;
    std::wstring fontFamily;
    std::wstring text;
    // A running effect advances once per painted frame, so a caption whose
    // effect has moved on since is a different frame even where its pixels
    // would not differ yet.
    std::vector<std::int32_t> effectSteps;

    bool operator==(const CaptionLook& other) const;
};

struct PieceLook {
    bool visible = false;
    std::int32_t x = 0;
    std::int32_t y = 0;
    Map::Cells cells;

    bool operator==(const PieceLook& other) const;
};

struct FrameState {
    PieceLook field;
    PieceLook current;
    PieceLook next;
    bool guideShown = false;
    CaptionLook captions[4];

    bool operator==(const FrameState& other) const;
    bool operator!=(const FrameState& other) const { return !(*this == other); }
};

// The state of everything the game's paint draws. The caller holds the frame
// lock, or is the only thread using the game.
FrameState frameStateOf(const Game& game);
