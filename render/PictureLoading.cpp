#include "render/PictureLoading.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "win/GdiplusApi.h"
#include "win/GdiplusSession.h"

namespace {

// DIB rows are padded to whole 32-bit words.
LONGLONG rowStride24(LONGLONG width) { return (width * 3 + 3) & ~3LL; }

bool fitsInDib24(LONGLONG width, LONGLONG height)
{
    return width > 0 && height > 0 && rowStride24(width) * height <= INT_MAX;
}

UniqueBitmap createTopDownBitmap24(int width, int height, void** bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: the first row is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

}  // namespace

UniqueBitmap loadPictureFile(const wchar_t* path)
{
    if (!GdiplusSession::instance().started())
        return {};
    gdip::GpBitmap* decoded = nullptr;
    if (gdip::GdipCreateBitmapFromFile(path, &decoded) != gdip::Ok)
        return {};
    // Disposing of the GDI+ bitmap also closes the file.
    const gdip::UniqueImage picture(decoded);

    UINT width = 0;
    UINT height = 0;
    if (gdip::GdipGetImageWidth(picture.get(), &width) != gdip::Ok ||
        gdip::GdipGetImageHeight(picture.get(), &height) != gdip::Ok || !fitsInDib24(width, height))
        return {};

    void* bits = nullptr;
    UniqueBitmap dib = createTopDownBitmap24(static_cast<int>(width), static_cast<int>(height), &bits);
    if (!dib)
        return {};

    // GDI+ converts whatever it decoded straight into the DIB's rows: with a
    // caller's buffer, locking for reading copies the pixels out, and 24bppRGB
    // has the DIB's blue-green-red byte order.
    gdip::BitmapData rows{};
    rows.Width = width;
    rows.Height = height;
    rows.Stride = static_cast<INT>(rowStride24(width));
    rows.PixelFormat = PixelFormat24bppRGB;
    rows.Scan0 = bits;
    const gdip::GpRect whole(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    if (gdip::GdipBitmapLockBits(decoded, &whole, gdip::ImageLockModeRead | gdip::ImageLockModeUserInputBuf,
                                 PixelFormat24bppRGB, &rows) != gdip::Ok)
        return {};
    gdip::GdipBitmapUnlockBits(decoded, &rows);
    return dib;
}

UniqueBitmap loadBitmapResource(int resourceId, HINSTANCE module)
{
    if (module == nullptr)
        module = GetModuleHandleW(nullptr);
    return UniqueBitmap(static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

UniqueBitmap createFilledBitmap(int width, int height, BYTE value)
{
    if (!fitsInDib24(width, height))
        return {};
    void* bits = nullptr;
    UniqueBitmap dib = createTopDownBitmap24(width, height, &bits);
    if (dib)
        std::memset(bits, value, static_cast<std::size_t>(rowStride24(width) * height));
    return dib;
}

SIZE bitmapSize(HBITMAP bitmap)
{
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0)
        return SIZE{0, 0};
    return SIZE{info.bmWidth, std::abs(info.bmHeight)};
}
