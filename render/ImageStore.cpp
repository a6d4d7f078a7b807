#include "render/ImageStore.h"

#include "render/PictureLoading.h"
#include "ids/ResourceIds.h"

#include <utility>

Image::Image(UniqueBitmap bitmap) : bitmap_(std::move(bitmap))
{
    const SIZE measured = bitmapSize(bitmap_.get());
    size_ = Size{measured.cx, measured.cy};
}

ImageStore::ImageStore(UniqueBitmap tileStrip, UniqueBitmap frame, UniqueBitmap background)
    : tileStrip_(std::move(tileStrip)), frame_(std::move(frame)), background_(std::move(background))
{
}

ImageStore ImageStore::load(Size clientSize)
{
    UniqueBitmap tileStrip = loadBitmapResource(IDB_TILES);
    UniqueBitmap frame = loadBitmapResource(IDB_FRAME);
    return ImageStore(std::move(tileStrip), std::move(frame), loadBackground(clientSize));
}

const ImageStore& ImageStore::shared(Size clientSize)
{
    static const ImageStore store = load(clientSize);
    return store;
}

UniqueBitmap ImageStore::loadBackground(Size clientSize)
{
    // No directory: the user puts the picture in the current directory.
    for (const wchar_t* name : {L"background.bmp", L"background.jpg", L"background.png"}) {
        if (UniqueBitmap picture = loadPictureFile(name))
            return picture;
    }
    return createFilledBitmap(clientSize.width, clientSize.height, 0xFF);
}
