// The pixels a caption's text leaves on a frame, kept while the text, its
// style, its place and the pixels under it stay the same: drawing text with
// GDI+ costs far more than comparing and copying the few thousand pixels it
// covers. The copy is exact: it is used only where the pixels under the text
// are the very pixels the kept result was drawn over.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/DrawSurface.h"
#include "render/BoardScale.h"

// The pixels of a 32-bit DIB section selected into a DC, row by row from the
// top whichever way the section is stored.
class DibPixels {
public:
    // Empty when the DC's bitmap is no 32-bit DIB section.
    static std::optional<DibPixels> of(HDC dc);

    int width() const { return width_; }
    int height() const { return height_; }
    std::uint32_t* row(int y) const { return topRow_ + static_cast<std::ptrdiff_t>(y) * rowStep_; }

private:
    std::uint32_t* topRow_ = nullptr;
    std::ptrdiff_t rowStep_ = 0;  // in pixels; negative for a bottom-up section
    int width_ = 0;
    int height_ = 0;
};

class CaptionPixelCache {
public:
    struct Key {
        std::wstring text;
        TextStyle style;
        BoardScale scale;
        LayoutRect layout;  // in device pixels

        bool operator==(const Key& other) const;
    };

    // Leaves in region of pixels what drawText leaves there: a copy of an
    // earlier result for the same key over the same pixels, or else the
    // result of drawText, kept for next time. drawText may change nothing
    // outside region.
    void draw(const DibPixels& pixels, const Key& key, const RECT& region, const std::function<void()>& drawText);

private:
    struct Entry {
        Key key;
        RECT region{};
        std::vector<std::uint32_t> before;
        std::vector<std::uint32_t> after;
    };

    // Each caption on the board usually keeps one entry; a caption that
    // moves or fades makes a new one every frame, and the oldest go.
    static constexpr std::size_t maxEntries = 8;

    std::vector<Entry> entries_;
};
