#include "win/BackBuffer.h"
#include "win/DibSection.h"

#include <utility>

BackBuffer::~BackBuffer()
{
    release();
}

void BackBuffer::release()
{
    if (dc_ && original_ != nullptr)
        SelectObject(dc_.get(), original_);
    original_ = nullptr;
    bitmap_.reset();
    dc_.reset();
    width_ = 0;
    height_ = 0;
}

HDC BackBuffer::prepare(HDC output, int width, int height)
{
    if (bitmap_ && width == width_ && height == height_) {
        SetViewportOrgEx(dc_.get(), 0, 0, nullptr);
        return dc_.get();
    }
    release();
    UniqueDc dc(CreateCompatibleDC(output));
    void* bits = nullptr;
    UniqueBitmap bitmap(dc ? createTopDownDib(output, width, height, 32, &bits) : UniqueBitmap());
    const HGDIOBJ original = bitmap ? SelectObject(dc.get(), bitmap.get()) : nullptr;
    if (original == nullptr || original == HGDI_ERROR)
        return nullptr;
    dc_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    original_ = original;
    width_ = width;
    height_ = height;
    return dc_.get();
}
