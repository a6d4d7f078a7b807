// Broken and odd pictures through the loader: each loads at its own size or
// falls through to the next candidate, and a header that lies about its size
// is turned away before the decoder sees it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "OddPictures.h"
#include "render/ImageStore.h"
#include "render/PictureBounds.h"
#include "render/PictureLoading.h"
#include "tests/support/win32/PixelCanvas.h"
#include "tests/support/win32/PictureFiles.h"
#include "tests/support/win32/TemporaryDirectory.h"

namespace {

bool headerWithinBounds(const std::string& bytes)
{
    return pictureHeaderWithinBounds(
        [&bytes](std::uint64_t offset, std::size_t count) {
            return offset < bytes.size() ? bytes.substr(static_cast<std::size_t>(offset), count) : std::string();
        },
        bytes.size());
}

// The 4 KB file whose header claims 30000 x 30000 pixels of 24 bits.
std::string lyingBmp()
{
    BmpPicture picture;
    picture.width = 30000;
    picture.height = 30000;
    picture.pixels = std::string(4096 - 54, '\x40');
    return bmpBytes(picture);
}

BmpPicture indexed(std::uint16_t bits, int paletteEntries)
{
    BmpPicture picture;
    picture.width = 9;
    picture.height = 5;
    picture.bitsPerPixel = bits;
    picture.paletteEntries = paletteEntries;
    picture.pixelByte = 0;
    return picture;
}

std::string withByteAt(std::string bytes, std::size_t at, char value)
{
    if (at < bytes.size())
        bytes.replace(at, 1, 1, value);
    return bytes;
}

// The JPEG with its frame header's size changed.
std::string jpegClaiming(std::string bytes, std::uint16_t width, std::uint16_t height)
{
    const std::size_t frame = bytes.find("\xFF\xC0");
    if (frame == std::string::npos)
        return bytes;
    const char size[] = {static_cast<char>(height >> 8), static_cast<char>(height & 0xFF),
                         static_cast<char>(width >> 8), static_cast<char>(width & 0xFF)};
    return bytes.replace(frame + 5, 4, size, 4);
}

enum class Outcome { Loads, FallsThrough, Either };

struct PictureCase {
    std::string what;
    std::string bytes;
    Outcome outcome;
    int width = 0;  // when it loads
    int height = 0;
};

std::vector<PictureCase> oddPictures()
{
    const unsigned char grey[] = {200};
    const unsigned char colour[] = {150, 100, 160};
    const unsigned char cmyk[] = {20, 200, 40, 10};
    const std::string baselineJpeg = jpegBytes(16, 8, 1, grey, false);
    const std::string smallPng = pngBytes(6, 5, 8, 2, "\x10\x80\xF0", false);
    const std::string bmp24 = bmpBytes(BmpPicture{});

    BmpPicture topDown;
    topDown.height = -3;
    BmpPicture mostNegative;
    mostNegative.height = -2147483647 - 1;
    mostNegative.pixels = std::string(36, '\x40');
    BmpPicture oversizedPalette = indexed(8, 256);
    oversizedPalette.coloursUsed = 100000;
    BmpPicture rgb555;
    rgb555.bitsPerPixel = 16;
    BmpPicture rgb32;
    rgb32.bitsPerPixel = 32;
    BmpPicture bitfields32 = rgb32;
    bitfields32.compression = 3;
    bitfields32.masks = std::string("\0\0\xFF\0\0\xFF\0\0\xFF\0\0\0", 12);
    BmpPicture rle8 = indexed(8, 256);
    rle8.compression = 1;
    rle8.pixels = rle8Pixels(9, 5, 200);
    BmpPicture rle4 = indexed(4, 16);
    rle4.compression = 2;
    rle4.pixels = rle4Pixels(9, 5, 0xAA);
    BmpPicture hugeRle = rle8;
    hugeRle.width = hugeRle.height = 30000;
    hugeRle.pixels = std::string("\0\1", 2);
    BmpPicture tooWide;
    tooWide.width = 16385;
    tooWide.height = 1;
    BmpPicture noDepth;
    noDepth.bitsPerPixel = 0;
    BmpPicture oddDepth;
    oddDepth.bitsPerPixel = 7;

    return {
        {"empty", "", Outcome::FallsThrough},
        {"BMP signature only", "BM", Outcome::FallsThrough},
        {"BMP header cut short", bmp24.substr(0, 30), Outcome::FallsThrough},
        {"BMP rows cut short", bmp24.substr(0, bmp24.size() - 10), Outcome::FallsThrough},
        {"BMP claiming 30000 x 30000 in 4 KB", lyingBmp(), Outcome::FallsThrough},
        {"BMP 24-bit", bmp24, Outcome::Loads, 4, 3},
        {"BMP top-down", bmpBytes(topDown), Outcome::Loads, 4, 3},
        {"BMP height -2147483648", bmpBytes(mostNegative), Outcome::FallsThrough},
        {"BMP 1-bit", bmpBytes(indexed(1, 2)), Outcome::Loads, 9, 5},
        {"BMP 4-bit", bmpBytes(indexed(4, 16)), Outcome::Loads, 9, 5},
        {"BMP 8-bit", bmpBytes(indexed(8, 256)), Outcome::Loads, 9, 5},
        {"BMP 8-bit, palette count 100000", bmpBytes(oversizedPalette), Outcome::Either, 9, 5},
        {"BMP 16-bit", bmpBytes(rgb555), Outcome::Loads, 4, 3},
        {"BMP 32-bit", bmpBytes(rgb32), Outcome::Loads, 4, 3},
        // Windows decodes the next two; wine's GDI+ does not.
        {"BMP 32-bit bit fields", bmpBytes(bitfields32), Outcome::Either, 4, 3},
        {"BMP RLE8", bmpBytes(rle8), Outcome::Either, 9, 5},
        {"BMP RLE4", bmpBytes(rle4), Outcome::Either, 9, 5},
        {"BMP RLE8 claiming 30000 x 30000", bmpBytes(hugeRle), Outcome::FallsThrough},
        {"BMP 16385 pixels wide", bmpBytes(tooWide), Outcome::FallsThrough},
        {"BMP of 0 bits a pixel", bmpBytes(noDepth), Outcome::FallsThrough},
        {"BMP of 7 bits a pixel", bmpBytes(oddDepth), Outcome::FallsThrough},
        {"BMP pixels beyond the file", withByteAt(bmp24, 11, '\x7F'), Outcome::FallsThrough},
        {"PNG", smallPng, Outcome::Loads, 6, 5},
        {"PNG cut short", smallPng.substr(0, smallPng.size() / 2), Outcome::FallsThrough},
        {"PNG signature only", smallPng.substr(0, 8), Outcome::FallsThrough},
        {"PNG claiming 30000 x 30000", pngClaiming(smallPng, 30000, 30000), Outcome::FallsThrough},
        {"PNG claiming 4096 x 4097", pngClaiming(smallPng, 4096, 4097), Outcome::FallsThrough},
        {"PNG 16-bit", pngBytes(5, 4, 16, 2, "\x10\x00\x80\x00\xF0\x00", false), Outcome::Either, 5, 4},
        {"PNG interlaced", pngBytes(11, 9, 8, 2, "\x10\x80\xF0", true), Outcome::Loads, 11, 9},
        {"PNG grey with alpha", pngBytes(3, 3, 8, 4, "\x80\xFF", false), Outcome::Loads, 3, 3},
        {"PNG of an unknown colour type", withByteAt(smallPng, 25, '\x05'), Outcome::FallsThrough},
        {"JPEG baseline grey", baselineJpeg, Outcome::Loads, 16, 8},
        {"JPEG baseline colour", jpegBytes(24, 16, 3, colour, false), Outcome::Loads, 24, 16},
        {"JPEG progressive", jpegBytes(16, 16, 1, grey, true), Outcome::Either, 16, 16},
        {"JPEG CMYK", jpegBytes(16, 8, 4, cmyk, false), Outcome::Either, 16, 8},
        {"JPEG cut short", baselineJpeg.substr(0, baselineJpeg.size() - 12), Outcome::Either, 16, 8},
        {"JPEG start marker only", "\xFF\xD8", Outcome::FallsThrough},
        {"JPEG claiming 30000 x 30000", jpegClaiming(baselineJpeg, 30000, 30000), Outcome::FallsThrough},
        {"JPEG claiming 16384 x 16384", jpegClaiming(baselineJpeg, 16384, 16384), Outcome::FallsThrough},
        {"GIF", "GIF89a\x01\0\x01\0\0\0\0,\0\0\0\0\x01\0\x01\0\0\x02\x02L\x01\0;", Outcome::FallsThrough},
        {"text", "plain text, not a picture", Outcome::FallsThrough},
        {"garbage", std::string(3000, '\xA5'), Outcome::FallsThrough},
    };
}

// Pixel rows of the cases whose colour is certain.
void expectLoaded(HBITMAP bitmap, const PictureCase& c)
{
    ASSERT_NE(bitmap, nullptr) << "should load";
    const SIZE size = bitmapSize(bitmap);
    EXPECT_EQ(size.cx, c.width);
    EXPECT_EQ(size.cy, c.height);
}

TEST(PictureFuzz, EachPictureLoadsOrFallsThrough)
{
    const TemporaryDirectory directory;
    const std::vector<PictureCase> cases = oddPictures();
    DWORD slowest = 0;
    std::string slowestName;
    int loaded = 0;
    int failedToLoad = 0;
    for (const PictureCase& c : cases) {
        SCOPED_TRACE(c.what);
        // A name of its own: the extension plays no part in the decoding.
        const std::wstring name = L"picture" + std::to_wstring(loaded + failedToLoad) + L".bmp";
        writeBytes(name, c.bytes);
        const DWORD start = GetTickCount();
        UniqueBitmap bitmap = loadPictureFile(name.c_str());
        const DWORD took = GetTickCount() - start;
        failedToLoad += bitmap ? 0 : 1;
        EXPECT_TRUE(DeleteFileW(name.c_str())) << "the loader keeps the file open";
        if (took >= slowest) {
            slowest = took;
            slowestName = c.what;
        }
        loaded += bitmap ? 1 : 0;
        std::printf("%-40s %s in %lu ms\n", c.what.c_str(), bitmap ? "loads" : "falls through", took);
        switch (c.outcome) {
        case Outcome::Loads:
            expectLoaded(bitmap.get(), c);
            break;
        case Outcome::FallsThrough:
            EXPECT_FALSE(bitmap) << "should fall through";
            break;
        case Outcome::Either:
            if (bitmap)
                expectLoaded(bitmap.get(), c);
            break;
        }
    }
    std::printf("%zu pictures, %d loaded; the slowest took %lu ms (%s)\n", cases.size(), loaded, slowest,
                slowestName.c_str());
}

TEST(PictureFuzz, DecodedColoursAreThePictures)
{
    const TemporaryDirectory directory;
    const unsigned char grey[] = {200};
    writeBytes(L"grey.jpg", jpegBytes(16, 8, 1, grey, false));
    writeBytes(L"interlaced.png", pngBytes(11, 9, 8, 2, "\x10\x80\xF0", true));
    const struct {
        const wchar_t* name;
        Rgb colour;
        int tolerance;
    } cases[] = {
        {L"grey.jpg", Rgb{200, 200, 200}, 2},
        {L"interlaced.png", Rgb{0x10, 0x80, 0xF0}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
        const UniqueBitmap bitmap = loadPictureFile(c.name);
        ASSERT_TRUE(bitmap);
        const SIZE size = bitmapSize(bitmap.get());
        for (const POINT at : {POINT{0, 0}, POINT{size.cx - 1, size.cy - 1}, POINT{size.cx / 2, size.cy / 2}}) {
            EXPECT_TRUE(pixelOf(bitmap.get(), at.x, at.y).closeTo(c.colour, c.tolerance))
                << pixelOf(bitmap.get(), at.x, at.y) << " at " << at.x << "," << at.y;
        }
    }
}

TEST(PictureFuzz, ADirectoryNamedLikeThePictureFallsThrough)
{
    const TemporaryDirectory directory;
    ASSERT_TRUE(CreateDirectoryW(L"background.bmp", nullptr));
    const PictureFile png{6, 5, Rgb{20, 200, 60}, Rgb{230, 220, 20}};
    writePng(L"background.png", png);
    const UniqueBitmap background = ImageStore::loadBackground(Size{248, 352});
    RemoveDirectoryW(L"background.bmp");
    ASSERT_TRUE(background);
    EXPECT_EQ(bitmapSize(background.get()).cx, 6);
}

// The lying header is turned away by reading it, before GDI+ would decode
// 2.5 GB of pixels; the next candidate is the background then.
TEST(PictureFuzz, ALyingSizeFallsThroughToTheNextCandidateAtOnce)
{
    const TemporaryDirectory directory;
    const std::string lying = lyingBmp();
    ASSERT_EQ(lying.size(), 4096u);
    EXPECT_FALSE(headerWithinBounds(lying));
    writeBytes(L"background.bmp", lying);
    const PictureFile png{7, 4, Rgb{30, 60, 210}, Rgb{220, 30, 40}};
    writePng(L"background.png", png);

    const DWORD start = GetTickCount();
    const UniqueBitmap background = ImageStore::loadBackground(Size{248, 352});
    std::printf("the 30000 x 30000 BMP of 4 KB fell through in %lu ms\n", GetTickCount() - start);
    ASSERT_TRUE(background);
    EXPECT_EQ(bitmapSize(background.get()).cx, 7);
    EXPECT_EQ(bitmapSize(background.get()).cy, 4);
}

TEST(PictureFuzz, APictureOf4000By4000Loads)
{
    const TemporaryDirectory directory;
    BmpPicture big = indexed(8, 256);
    big.width = big.height = 4000;
    big.compression = 1;
    big.pixels = rle8Pixels(4000, 4000, 255);
    writeBytes(L"big.bmp", bmpBytes(big));
    const DWORD start = GetTickCount();
    const UniqueBitmap bitmap = loadPictureFile(L"big.bmp");
    std::printf("4000 x 4000 RLE8 BMP loaded in %lu ms\n", GetTickCount() - start);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmapSize(bitmap.get()).cx, 4000);
    EXPECT_EQ(bitmapSize(bitmap.get()).cy, 4000);
}

TEST(PictureBounds, HeadersOfTheThreeFormats)
{
    const unsigned char grey[] = {200};
    const std::string png = pngBytes(6, 5, 8, 2, "\x10\x80\xF0", false);
    const std::string deep = pngBytes(5, 4, 16, 2, "\x10\x00\x80\x00\xF0\x00", false);
    EXPECT_TRUE(headerWithinBounds(bmpBytes(BmpPicture{})));
    EXPECT_TRUE(headerWithinBounds(png));
    EXPECT_TRUE(headerWithinBounds(deep));
    EXPECT_TRUE(headerWithinBounds(jpegBytes(16, 8, 1, grey, false)));
    EXPECT_FALSE(headerWithinBounds(pngClaiming(png, 30000, 30000)));
    // Deflate packs at most 1032 bytes into one: 16384 x 1024 grey rows
    // cannot come from a file of 300 bytes.
    EXPECT_FALSE(headerWithinBounds(pngClaiming(png, 16384, 1024)));
}

TEST(PictureBounds, SizesAtAndBeyondTheBounds)
{
    const struct {
        std::int64_t width;
        std::int64_t height;
        bool within;
    } cases[] = {
        {1, 1, true},          {16384, 1, true},    {16385, 1, false},    {1, 16385, false},
        {4096, 4096, true},    {4096, 4097, false}, {4000, 4000, true},   {0, 5, false},
        {5, 0, false},         {-5, 5, false},      {16384, 16384, false}, {30000, 30000, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        EXPECT_EQ(pictureSizeWithinBounds(c.width, c.height), c.within);
    }
}

}  // namespace
