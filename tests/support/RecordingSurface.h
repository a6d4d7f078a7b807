// A drawing surface that records every operation, for checking what a frame
// draws without a window.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "game/DrawSurface.h"

struct DrawOp {
    enum Kind { CopyTile, BlendTile, CopyPicture, BlendPicture, Fill, Text } kind;
    int tile = 0;  // tile index, or Picture as int
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int alpha = 255;

    bool operator==(const DrawOp& o) const
    {
        return kind == o.kind && tile == o.tile && x == o.x && y == o.y && width == o.width &&
               height == o.height && alpha == o.alpha;
    }
};

// Every field, so that a failed comparison shows which one differs.
inline std::ostream& operator<<(std::ostream& out, const DrawOp& op)
{
    static const char* const kinds[] = {"CopyTile", "BlendTile", "CopyPicture", "BlendPicture", "Fill", "Text"};
    return out << kinds[op.kind] << "{tile " << op.tile << ", at " << op.x << "," << op.y << ", " << op.width << "x"
               << op.height << ", alpha " << op.alpha << "}";
}

class RecordingSurface : public DrawSurface {
public:
    Size size() const override { return clientSize; }
    void copyTile(int tile, int x, int y) override { ops.push_back({DrawOp::CopyTile, tile, x, y, 16, 16, 255}); }
    void blendTile(int tile, int x, int y, std::uint8_t alpha) override
    {
        ops.push_back({DrawOp::BlendTile, tile, x, y, 16, 16, alpha});
    }
    Size pictureSize(Picture picture) const override
    {
        return picture == Picture::Background ? backgroundSize : frameSize;
    }
    void copyPicture(Picture picture, int x, int y) override
    {
        const Size s = pictureSize(picture);
        ops.push_back({DrawOp::CopyPicture, static_cast<int>(picture), x, y, s.width, s.height, 255});
    }
    void blendPicture(Picture picture, int width, int height, std::uint8_t alpha) override
    {
        ops.push_back({DrawOp::BlendPicture, static_cast<int>(picture), 0, 0, width, height, alpha});
    }
    void fill(const PixelRect& rect, std::uint32_t rgb) override
    {
        ops.push_back({DrawOp::Fill, static_cast<int>(rgb), rect.left, rect.top, rect.right - rect.left,
                       rect.bottom - rect.top, 255});
    }
    void drawText(const std::wstring& text, const TextStyle& style, const LayoutRect& layout) override
    {
        ops.push_back({DrawOp::Text, static_cast<int>(texts.size()), 0, 0, 0, 0, 255});
        texts.push_back({text, style, layout});
    }

    std::vector<DrawOp> opsOf(DrawOp::Kind kind) const
    {
        std::vector<DrawOp> result;
        for (const DrawOp& op : ops)
            if (op.kind == kind)
                result.push_back(op);
        return result;
    }

    Size clientSize{248, 352};
    Size backgroundSize{248, 352};
    Size frameSize{248, 352};
    std::vector<DrawOp> ops;

    struct TextOp {
        std::wstring text;
        TextStyle style;
        LayoutRect layout;
    };
    std::vector<TextOp> texts;  // DrawOp::tile of a Text op indexes this
};
