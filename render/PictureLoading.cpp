#include "render/PictureLoading.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "render/PictureBounds.h"
#include "win/GdiplusApi.h"
#include "win/GdiplusSession.h"
#include "win/DibSection.h"

namespace {

// DIB rows are padded to whole 32-bit words.
LONGLONG rowStride24(LONGLONG width) { return (width * 3 + 3) & ~3LL; }

bool fitsInDib24(LONGLONG width, LONGLONG height)
{
    return width > 0 && height > 0 && rowStride24(width) * height <= INT_MAX;
}

std::string bytesAt(HANDLE file, std::uint64_t offset, std::size_t count)
{
    std::string bytes(count, '\0');
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    DWORD got = 0;
    if (!SetFilePointerEx(file, position, nullptr, FILE_BEGIN) ||
        !ReadFile(file, &bytes[0], static_cast<DWORD>(count), &got, nullptr))
        got = 0;
    bytes.resize(got);
    return bytes;
}

// Read before GDI+ sees the file: it decodes the whole picture the header
// claims before it reports anything.
bool fileHeaderWithinBounds(const wchar_t* path)
{
    const UniqueFile file(
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size))
        return false;
    const HANDLE handle = file.get();
    return pictureHeaderWithinBounds(
        [handle](std::uint64_t offset, std::size_t count) { return bytesAt(handle, offset, count); },
        static_cast<std::uint64_t>(size.QuadPart));
}

}  // namespace

UniqueBitmap loadPictureFile(const wchar_t* path)
{
    if (!GdiplusSession::running())
        return {};
    if (!fileHeaderWithinBounds(path))
        return {};
    // Disposing of the GDI+ bitmap also closes the file.
    gdip::UniqueBitmap picture;
    if (gdip::GdipCreateBitmapFromFile(path, picture.put()) != gdip::Ok)
        return {};

    UINT width = 0;
    UINT height = 0;
    if (gdip::GdipGetImageWidth(picture.get(), &width) != gdip::Ok ||
        gdip::GdipGetImageHeight(picture.get(), &height) != gdip::Ok || !fitsInDib24(width, height) ||
        !pictureSizeWithinBounds(width, height))
        return {};

    void* bits = nullptr;
    UniqueBitmap dib = createTopDownDib(nullptr, static_cast<int>(width), static_cast<int>(height), 24, &bits);
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
    if (gdip::GdipBitmapLockBits(picture.get(), &whole, gdip::ImageLockModeRead | gdip::ImageLockModeUserInputBuf,
                                 PixelFormat24bppRGB, &rows) != gdip::Ok)
        return {};
    gdip::GdipBitmapUnlockBits(picture.get(), &rows);
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
    UniqueBitmap dib = createTopDownDib(nullptr, width, height, 24, &bits);
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
