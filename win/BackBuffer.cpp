#include "win/BackBuffer.h"

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
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(dc ? CreateDIBSection(output, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr);
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
