// The drawing surface of a paint on Windows: GDI copies and constant-alpha
// blends from the store's images, and GDI+ text, onto a memory DC. The game
// draws in the board's own coordinates (its pixels at 96 DPI); the surface
// draws them at the scale of the screen's DPI, from art scaled once for it,
// and its text in fonts of the scaled size. With a frame cache and a 32-bit
// DIB section painted from its origin (the kept back buffer), tiles and kept
// captions go straight into the pixels instead.
#pragma once

#include <windows.h>

#include <optional>

#include "game/DrawSurface.h"
#include "render/BoardScale.h"
#include "render/CaptionPixelCache.h"
#include "render/FrameCache.h"
#include "render/ImageStore.h"
#include "render/ScaledArt.h"
#include "win/GdiplusApi.h"
#include "win/Handles.h"

// The size in device pixels of a caption font of pointSize points on the
// board at this scale: the board's text grows with the board, drawn at the
// screen's resolution, and is sized in pixels so that the system's own DPI
// setting does not size it a second time.
float captionPixelSize(std::int32_t pointSize, BoardScale scale);

class GdiSurface : public DrawSurface {
public:
    // Draws onto target, in its own coordinates, for one frame of the given
    // client size in device pixels, at the scale. The images, target and
    // cache outlive the surface. Without a cache every frame scales the art,
    // composes its backdrop, draws every tile and caption with GDI and GDI+,
    // and makes its text's GDI+ objects afresh: the same pixels (within 2 per
    // channel), more slowly.
    GdiSurface(HDC target, Size clientSize, const ImageStore& images, FrameCache* cache = nullptr,
               BoardScale scale = BoardScale());

    // The client area in board coordinates, covering every device pixel.
    Size size() const override { return scale_.toBoardCovering(clientSize_); }

    void copyTile(int tile, int x, int y) override;
    void blendTile(int tile, int x, int y, std::uint8_t alpha) override;

    Size pictureSize(Picture picture) const override;
    void copyPicture(Picture picture, int x, int y) override;
    void blendPicture(Picture picture, int width, int height, std::uint8_t alpha) override;

    void fill(const PixelRect& rect, std::uint32_t rgb) override;

    void drawText(const std::wstring& text, const TextStyle& style, const LayoutRect& layout) override;

    // One copy of the cache's backdrop when there is a cache.
    void drawBackdrop(std::uint8_t frameAlpha) override;

private:
    // An image selected into a memory DC of its own for the surface's life,
    // so that the up to two hundred tile copies of a frame share one DC.
    class ImageSource {
    public:
        ImageSource(HDC target, const Image& image);

        HDC dc() const { return dc_.get(); }
        Size size() const { return image_.size(); }
        // False when the image is empty or could not be selected.
        bool usable() const { return selection_.selected(); }

    private:
        const Image& image_;
        UniqueDc dc_;
        SelectionScope selection_;
    };

    const ImageSource& sourceOf(std::optional<ImageSource>& slot, const Image& image) const;
    const ImageSource& tiles() const;
    const ImageSource& source(Picture picture) const;
    bool tileInStrip(int tile) const;
    void copyBackground(int x, int y);
    std::optional<DibPixels> pixelsOfTarget() const;
    const DibPixels* directPixels();
    const PixelImage* directTiles();
    template <class CopyRow>
    void forEachTileRow(const PixelImage& strip, int tile, int x, int y, CopyRow copyRow);
    RECT textRegion(const RECT& ink, const LayoutRect& layout, const DibPixels& pixels) const;

    HDC target_;
    Size clientSize_;
    const ImageStore& images_;
    FrameCache* cache_;
    BoardScale scale_;
    // The cache's art, or without a cache the surface's own.
    std::optional<ScaledArt> ownArt_;
    ScaledArt* art_;
    mutable std::optional<ImageSource> tiles_;
    mutable std::optional<ImageSource> frame_;
    mutable std::optional<ImageSource> background_;
    // The target's pixels when the cache may write them directly.
    bool directChecked_ = false;
    std::optional<DibPixels> direct_;
    // GDI may hold back what it was asked to draw since this was last clear.
    bool gdiPending_ = false;
};
