// The drawing target of one frame, in window client coordinates. The game
// draws only through this; the Windows program provides the real one.
#pragma once

#include <cstdint>
#include <string>

struct Size {
    int width = 0;
    int height = 0;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct LayoutRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

// How a caption's text looks. The colour is ARGB with alpha in the top byte.
struct TextStyle {
    std::wstring fontFamily;
    std::int32_t pointSize = 0;
    std::uint32_t color = 0;
};

enum class Picture { Background, Frame };

class DrawSurface {
public:
    virtual ~DrawSurface() = default;

    // The painted area: the window's client size.
    virtual Size size() const = 0;

    // Opaque copy of a 16 x 16 tile of the tile strip.
    virtual void copyTile(int tile, int x, int y) = 0;
    // The same tile blended with a constant alpha (no per-pixel alpha).
    virtual void blendTile(int tile, int x, int y, std::uint8_t alpha) = 0;

    virtual Size pictureSize(Picture picture) const = 0;
    // Opaque copy of the whole picture with its top left at (x, y).
    virtual void copyPicture(Picture picture, int x, int y) = 0;
    // Blends the picture's (0, 0, width, height) onto the same rectangle of the
    // target with a constant alpha.
    virtual void blendPicture(Picture picture, int width, int height, std::uint8_t alpha) = 0;

    // Solid fill; rgb is 0x00RRGGBB.
    virtual void fill(const PixelRect& rect, std::uint32_t rgb) = 0;

    virtual void drawText(const std::wstring& text, const TextStyle& style, const LayoutRect& layout) = 0;

    // The start of every frame: white where the background picture does not
    // reach, the picture at the top left, and the frame blended over it with
    // frameAlpha where both pictures are. This does it with the operations
    // above; a surface that keeps the result may copy it instead.
    virtual void drawBackdrop(std::uint8_t frameAlpha);
};
