// Picture files decoded by content, and the background's choice among
// "background.bmp", ".jpg" and ".png", in a temporary current directory.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "render/ImageStore.h"
#include "win/GdiplusApi.h"
#include "win/GdiplusSession.h"
#include "render/PictureLoading.h"
#include "tests/support/win32/PixelCanvas.h"
#include "tests/support/win32/PictureFiles.h"
#include "tests/support/win32/TemporaryDirectory.h"

namespace {

const Rgb red{220, 30, 40};
const Rgb green{20, 200, 60};
const Rgb blue{30, 60, 210};
const Rgb yellow{230, 220, 20};
const Rgb white{255, 255, 255};

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

// Runs each test in a fresh current directory, removed afterwards.
class TemporaryDirectoryTest : public ::testing::Test {
protected:
    void bmp(const wchar_t* name, const PictureFile& picture) { writeBmp(name, picture); }
    void png(const wchar_t* name, const PictureFile& picture) { writePng(name, picture); }
    void bytes(const wchar_t* name, const std::string& content) { writeBytes(name, content); }

private:
    TemporaryDirectory directory_;
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
