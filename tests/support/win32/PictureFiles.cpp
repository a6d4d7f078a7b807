#include "tests/support/win32/PictureFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <vector>

#include "win/GdiplusApi.h"
#include "win/GdiplusSession.h"
#include "render/PictureLoading.h"

namespace {

template <class T>
void append(std::string& bytes, T value)
{
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

bool findPngEncoder(CLSID& encoder)
{
    UINT count = 0;
    UINT size = 0;
    if (gdip::GdipGetImageEncodersSize(&count, &size) != gdip::Ok || size == 0)
        return false;
    std::vector<std::uint8_t> buffer(size);
    auto* codecs = reinterpret_cast<gdip::ImageCodecInfo*>(buffer.data());
    if (gdip::GdipGetImageEncoders(count, size, codecs) != gdip::Ok)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(codecs[i].MimeType) == L"image/png") {
            encoder = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

void writeBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream file(path.c_str(), std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void writeBmp(const std::wstring& path, const PictureFile& picture)
{
    const int stride = (picture.width * 3 + 3) & ~3;
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(stride * picture.height);
    const std::uint32_t headersSize = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    std::string bytes;
    append<std::uint16_t>(bytes, 0x4D42);  // "BM"
    append<std::uint32_t>(bytes, headersSize + pixelBytes);
    append<std::uint32_t>(bytes, 0);
    append<std::uint32_t>(bytes, headersSize);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = picture.width;
    info.biHeight = picture.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    append(bytes, info);
    for (int y = picture.height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < picture.width; ++x) {
            const Rgb color = picture.colorAt(x, y);
            row += {static_cast<char>(color.blue), static_cast<char>(color.green), static_cast<char>(color.red)};
        }
        row.resize(static_cast<std::size_t>(stride), '\0');
        bytes += row;
    }
    writeBytes(path, bytes);
}

void writePng(const std::wstring& path, const PictureFile& picture)
{
    ASSERT_TRUE(GdiplusSession::running()) << "the test program owns no GDI+ session";
    gdip::UniqueBitmap bitmap;
    ASSERT_EQ(gdip::GdipCreateBitmapFromScan0(picture.width, picture.height, 0, PixelFormat24bppRGB, nullptr,
                                              bitmap.put()),
              gdip::Ok);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const Rgb color = picture.colorAt(x, y);
            const gdip::ARGB argb = 0xFF000000u | (static_cast<gdip::ARGB>(color.red) << 16) |
                                    (static_cast<gdip::ARGB>(color.green) << 8) | static_cast<gdip::ARGB>(color.blue);
            gdip::GdipBitmapSetPixel(bitmap.get(), x, y, argb);
        }
    }
    CLSID encoder{};
    ASSERT_TRUE(findPngEncoder(encoder));
    ASSERT_EQ(gdip::GdipSaveImageToFile(bitmap.get(), path.c_str(), &encoder, nullptr), gdip::Ok);
}
