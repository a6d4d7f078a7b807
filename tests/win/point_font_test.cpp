#include <gtest/gtest.h>

#include <string>

#include "win/PointFont.h"

namespace {

int screenDpi()
{
    const WindowDcScope screen(nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

TEST(PointFont, HeightIsTheNegativeCharacterHeightForTheScreen)
{
    for (const int tenths : {80, 90, 100, 120}) {
        // The screen DC maps one logical unit to one pixel.
        EXPECT_EQ(screenFontHeight(tenths), -MulDiv(screenDpi(), tenths, 720)) << tenths;
    }
}

TEST(PointFont, FontHasTheFaceSizeAndCharacterSetAndNothingElse)
{
    const UniqueFont font = createPointFont(L"ＭＳ ゴシック", 100);
    ASSERT_TRUE(font);
    LOGFONTW described{};
    ASSERT_NE(GetObjectW(font.get(), sizeof described, &described), 0);
    EXPECT_EQ(std::wstring(described.lfFaceName), L"ＭＳ ゴシック");
    EXPECT_EQ(described.lfHeight, screenFontHeight(100));
    EXPECT_EQ(described.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(described.lfWidth, 0);
    EXPECT_EQ(described.lfWeight, 0);
    EXPECT_EQ(described.lfItalic, 0);
    EXPECT_EQ(described.lfUnderline, 0);
    EXPECT_EQ(described.lfStrikeOut, 0);
    EXPECT_EQ(described.lfQuality, 0);
}

TEST(PointFont, LongFaceNameIsCutToWhatALogicalFontHolds)
{
    const std::wstring face(40, L'x');
    const UniqueFont font = createPointFont(face.c_str(), 90);
    ASSERT_TRUE(font);
    LOGFONTW described{};
    ASSERT_NE(GetObjectW(font.get(), sizeof described, &described), 0);
    EXPECT_EQ(std::wstring(described.lfFaceName), face.substr(0, LF_FACESIZE - 1));
}

}  // namespace
