// The pictures: the window frame behind the playfield, the block tiles and
// the application icon.
#include <algorithm>

#include "assetgen.h"

namespace assetgen {
namespace {

struct Rect {
    int x, y, w, h;
};

// Frame layout, in window pixels.
constexpr int kFrameWidth = 248;
constexpr int kFrameHeight = 352;
constexpr Rect kPlayfield{8, 16, 160, 320};
constexpr Rect kNextBox{176, 16, 64, 64};
constexpr int kNextLabelBaseline = 98;
constexpr Rgb kSurround{235, 235, 235};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kLabelInk{32, 32, 32};

// Tiles: a strip of square cells; the game indexes them by cell contents.
constexpr int kTileSize = 16;
constexpr int kBevelWidth = 2;
struct TileStyle {
    Rgb face;  // exact colour at the tile centre
    bool bevelled;
};
constexpr TileStyle kTileStyles[] = {
    {{8, 8, 8}, false},        // empty well cell
    {{215, 64, 38}, true},     // red
    {{8, 236, 90}, true},      // green
    {{241, 238, 45}, true},    // yellow
    {{218, 103, 255}, true},   // violet
    {{82, 229, 255}, true},    // cyan
    {{221, 222, 216}, true},   // light grey
    {{100, 151, 240}, true},   // blue
    {{232, 232, 232}, false},  // flat pale grey
};
// Bevel strength in 1/256ths, outermost ring first.
constexpr int kHighlight[kBevelWidth] = {140, 80};
constexpr int kShadow[kBevelWidth] = {115, 64};

// Icon: 16-colour Windows palette, blocks of 8 x 8 on a 4 x 4 grid.
constexpr int kIconSize = 32;
constexpr int kIconBlock = 8;
const std::vector<Rgb> kVgaPalette = {
    {0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
    {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
    {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
    {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255},
};
constexpr std::uint8_t kVgaWhite = 15;
struct IconBlockColour {
    char key;
    std::uint8_t face, shade;  // palette indices
};
constexpr IconBlockColour kIconColours[] = {
    {'R', 12, 4}, {'G', 10, 2}, {'B', 9, 1}, {'Y', 14, 6},
};
// A T piece dropping onto a small stack; '.' is transparent.
constexpr const char* kIconLayout[kIconSize / kIconBlock] = {
    "..Y.",
    ".YYY",
    "RG.B",
    "RGGB",
};

std::uint8_t clampChannel(int v) { return std::uint8_t(std::clamp(v, 0, 255)); }

// Moves c towards target by amount/256, in integers so results are exact.
std::uint8_t blend(int c, int target, int amount) { return clampChannel(c + (target - c) * amount / 256); }

Rgb blendRgb(Rgb c, Rgb target, int amount) {
    return {blend(c.r, target.r, amount), blend(c.g, target.g, amount), blend(c.b, target.b, amount)};
}

Rgb offsetRgb(Rgb c, int delta) {
    return {clampChannel(c.r + delta), clampChannel(c.g + delta), clampChannel(c.b + delta)};
}

// One bevelled pixel: a lit top-left rim, a shaded bottom-right rim, and a
// face brightening gently towards the top-left. The face offset is zero at
// the centre pixel (8, 8), so the centre holds exactly the tile colour.
Rgb bevelPixel(Rgb face, int x, int y) {
    const int last = kTileSize - 1;
    const int ring = std::min({x, y, last - x, last - y});
    if (ring < kBevelWidth) {
        const bool lit = x + y < last;  // the anti-diagonal splits the corners
        return lit ? blendRgb(face, {255, 255, 255}, kHighlight[ring])
                   : blendRgb(face, kBlack, kShadow[ring]);
    }
    return offsetRgb(face, kTileSize - x - y);
}

}  // namespace

Image drawFrame() {
    Image frame(kFrameWidth, kFrameHeight, kSurround);
    frame.fillRect(kPlayfield.x, kPlayfield.y, kPlayfield.w, kPlayfield.h, kBlack);
    frame.fillRect(kNextBox.x, kNextBox.y, kNextBox.w, kNextBox.h, kBlack);
    drawLabel(frame, "NEXT", kNextBox.x + kNextBox.w / 2, kNextLabelBaseline, kLabelInk);
    return frame;
}

Image drawTiles() {
    constexpr int count = int(sizeof kTileStyles / sizeof kTileStyles[0]);
    Image strip(kTileSize * count, kTileSize, kBlack);
    for (int t = 0; t < count; ++t) {
        const TileStyle& style = kTileStyles[t];
        for (int y = 0; y < kTileSize; ++y)
            for (int x = 0; x < kTileSize; ++x)
                strip.at(t * kTileSize + x, y) = style.bevelled ? bevelPixel(style.face, x, y) : style.face;
    }
    return strip;
}

IconImage drawIcon() {
    IconImage icon;
    icon.size = kIconSize;
    icon.palette = kVgaPalette;
    icon.index.assign(kIconSize * kIconSize, 0);
    icon.transparent.assign(kIconSize * kIconSize, true);

    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            const char key = kIconLayout[y / kIconBlock][x / kIconBlock];
            const auto colour = std::find_if(std::begin(kIconColours), std::end(kIconColours),
                                             [key](const IconBlockColour& c) { return c.key == key; });
            if (colour == std::end(kIconColours)) continue;  // background stays transparent
            const int bx = x % kIconBlock, by = y % kIconBlock, last = kIconBlock - 1;
            std::uint8_t index = colour->face;
            if (bx == 0 || by == 0) index = kVgaWhite;
            if (bx == last || by == last) index = colour->shade;
            const std::size_t i = std::size_t(y) * kIconSize + x;
            icon.index[i] = index;
            icon.transparent[i] = false;
        }
    }
    return icon;
}

}  // namespace assetgen
