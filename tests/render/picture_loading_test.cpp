// Picture files decoded by content, and the background's choice among
// "background.bmp", ".jpg" and ".png", in a temporary current directory.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "render/win32/ImageStore.h"
#include "shell/win/GdiplusApi.h"
#include "shell/win/GdiplusSession.h"
#include "shell/win/PictureLoading.h"
#include "tests/shell/PixelCanvas.h"

namespace {

const Rgb red{220, 30, 40};
const Rgb green{20, 200, 60};
const Rgb blue{30, 60, 210};
const Rgb yellow{230, 220, 20};
const Rgb white{255, 255, 255};

// A picture is one colour with a different top row, so that a picture
// turned upside down shows.
struct PictureFile {
    int width;
    int height;
    Rgb topRow;
    Rgb rest;

    Rgb colorAt(int, int y) const { return y == 0 ? topRow : rest; }
};

void writeBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream file(path.c_str(), std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

template <class T>
void append(std::string& bytes, T value)
{
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// A 24-bit bottom-up BMP file, written byte by byte.
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

// A PNG file, encoded by GDI+ itself.
void writePng(const std::wstring& path, const PictureFile& picture)
{
    ASSERT_TRUE(GdiplusSession::instance().started());
    gdip::GpBitmap* bitmap = nullptr;
    ASSERT_EQ(gdip::GdipCreateBitmapFromScan0(picture.width, picture.height, 0, PixelFormat24bppRGB, nullptr,
                                              &bitmap),
              gdip::Ok);
    const gdip::UniqueImage owned(bitmap);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const Rgb color = picture.colorAt(x, y);
            const gdip::ARGB argb = 0xFF000000u | (static_cast<gdip::ARGB>(color.red) << 16) |
                                    (static_cast<gdip::ARGB>(color.green) << 8) | static_cast<gdip::ARGB>(color.blue);
            gdip::GdipBitmapSetPixel(bitmap, x, y, argb);
        }
    }
    CLSID encoder{};
    ASSERT_TRUE(findPngEncoder(encoder));
    ASSERT_EQ(gdip::GdipSaveImageToFile(owned.get(), path.c_str(), &encoder, nullptr), gdip::Ok);
}

void expectPicture(HBITMAP bitmap, const PictureFile& expected)
{
    ASSERT_NE(bitmap, nullptr);
    const SIZE size = bitmapSize(bitmap);
    EXPECT_EQ(size.cx, expected.width);
    EXPECT_EQ(size.cy, expected.height);
    EXPECT_EQ(pixelOf(bitmap, 0, 0), expected.topRow);
    EXPECT_EQ(pixelOf(bitmap, expected.width - 1, 0), expected.topRow);
    EXPECT_EQ(pixelOf(bitmap, 0, expected.height - 1), expected.rest);
    EXPECT_EQ(pixelOf(bitmap, expected.width - 1, 1), expected.rest);
}

// Makes a fresh directory current for the test and removes it afterwards.
class TemporaryDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t previous[MAX_PATH] = {};
        ASSERT_NE(GetCurrentDirectoryW(MAX_PATH, previous), 0u);
        previous_ = previous;
        wchar_t temp[MAX_PATH] = {};
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        directory_ = std::wstring(temp) + L"brixol-pictures-" + std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(directory_.c_str(), nullptr));
        ASSERT_TRUE(SetCurrentDirectoryW(directory_.c_str()));
    }

    void TearDown() override
    {
        SetCurrentDirectoryW(previous_.c_str());
        for (const std::wstring& name : written_)
            DeleteFileW((directory_ + L"\\" + name).c_str());
        EXPECT_TRUE(RemoveDirectoryW(directory_.c_str()));
    }

    void bmp(const wchar_t* name, const PictureFile& picture) { writeBmp(track(name), picture); }
    void png(const wchar_t* name, const PictureFile& picture) { writePng(track(name), picture); }
    void bytes(const wchar_t* name, const std::string& content) { writeBytes(track(name), content); }

private:
    std::wstring track(const wchar_t* name)
    {
        written_.push_back(name);
        return name;
    }

    std::wstring previous_;
    std::wstring directory_;
    std::vector<std::wstring> written_;
};

using PictureLoadingTest = TemporaryDirectoryTest;

TEST_F(PictureLoadingTest, DecodesByContentWhateverTheName)
{
    const PictureFile bmpPicture{5, 3, red, blue};
    const PictureFile pngPicture{4, 6, green, yellow};
    bmp(L"picture.bmp", bmpPicture);
    png(L"picture.png", pngPicture);
    png(L"png-inside.jpg", pngPicture);

    const struct {
        const wchar_t* name;
        const PictureFile& expected;
    } cases[] = {
        {L"picture.bmp", bmpPicture},
        {L"picture.png", pngPicture},
        {L"png-inside.jpg", pngPicture},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
        const UniqueBitmap loaded = loadPictureFile(c.name);
        expectPicture(loaded.get(), c.expected);
    }
}

TEST_F(PictureLoadingTest, MissingOrUndecodableFilesGiveNothing)
{
    // A BMP signature and a size field, then nothing a decoder can use.
    bytes(L"corrupt.bmp", std::string("BM\x10\0\0\0", 6) + "garbage that is no picture");
    bytes(L"empty.png", "");
    bytes(L"text.jpg", "plain text, not a JPEG");

    for (const wchar_t* name : {L"missing.bmp", L"corrupt.bmp", L"empty.png", L"text.jpg"})
        EXPECT_FALSE(loadPictureFile(name)) << std::string(name, name + wcslen(name));
}

using BackgroundTest = TemporaryDirectoryTest;

TEST_F(BackgroundTest, BmpComesBeforePng)
{
    const PictureFile bmpPicture{5, 4, red, blue};
    bmp(L"background.bmp", bmpPicture);
    png(L"background.png", PictureFile{6, 6, green, yellow});

    expectPicture(ImageStore::loadBackground(Size{248, 352}).get(), bmpPicture);
}

TEST_F(BackgroundTest, CorruptBmpFallsThroughToThePngNamedJpg)
{
    const PictureFile jpgPicture{7, 3, green, red};
    bytes(L"background.bmp", "BM not really");
    png(L"background.jpg", jpgPicture);
    png(L"background.png", PictureFile{6, 6, blue, yellow});

    expectPicture(ImageStore::loadBackground(Size{248, 352}).get(), jpgPicture);
}

TEST_F(BackgroundTest, PngIsTheLastChoice)
{
    const PictureFile pngPicture{6, 5, yellow, green};
    png(L"background.png", pngPicture);

    expectPicture(ImageStore::loadBackground(Size{248, 352}).get(), pngPicture);
}

TEST_F(BackgroundTest, WithoutPictureTheStoreHasWhiteOfTheClientSizeAndEmptyMissingResources)
{
    // The test program has neither of the program's bitmap resources.
    const ImageStore store = ImageStore::load(Size{30, 20});

    expectPicture(store.background().bitmap(), PictureFile{30, 20, white, white});
    EXPECT_EQ(store.background().size().width, 30);
    EXPECT_EQ(store.background().size().height, 20);
    EXPECT_TRUE(store.tileStrip().empty());
    EXPECT_TRUE(store.frame().empty());
}

}  // namespace
