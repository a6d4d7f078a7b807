// The images painting draws from: the tile strip, the frame and the
// background, loaded once per process and never reloaded.
#pragma once

#include "game/DrawSurface.h"
#include "win/Handles.h"

// An owned DIB section and its size; empty (0 x 0) when it could not be
// loaded, and drawing from it then draws nothing.
class Image {
public:
    Image() = default;
    explicit Image(UniqueBitmap bitmap);

    HBITMAP bitmap() const { return bitmap_.get(); }
    Size size() const { return size_; }
    bool empty() const { return !bitmap_; }

private:
    UniqueBitmap bitmap_;
    Size size_;
};

class ImageStore {
public:
    // Takes the three images as they are. Starts GDI+ for the captions' text,
    // as every way of making the store does.
    ImageStore(UniqueBitmap tileStrip, UniqueBitmap frame, UniqueBitmap background);

    // The program's images: both bitmap resources of the program's module,
    // and the background of loadBackground.
    static ImageStore load(Size clientSize);

    // The process-wide store, made by load on the first call; clientSize
    // matters only then. Window thread only.
    static const ImageStore& shared(Size clientSize);

    // "background.bmp", ".jpg" or ".png" of the current directory, the first
    // that decodes (by content, whatever the extension says), or else a white
    // 24-bit image of clientSize.
    static UniqueBitmap loadBackground(Size clientSize);

    const Image& tileStrip() const { return tileStrip_; }
    const Image& frame() const { return frame_; }
    const Image& background() const { return background_; }

private:
    Image tileStrip_;
    Image frame_;
    Image background_;
};
