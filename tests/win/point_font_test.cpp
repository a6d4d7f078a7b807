#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/win32/SystemDpi.h"
#include "win/PointFont.h"

namespace {

// The character height in pixels of each point size the dialogs use, at the
// DPIs the program meets: points x DPI / 72, rounded.
struct KnownHeight {
    int dpi;
    int tenthsOfPoint;
    LONG pixels;
};

const KnownHeight knownHeights[] = {
    {96, 80, 11},   {96, 90, 12},   {96, 100, 13},  {96, 120, 16},  {120, 80, 13},  {120, 90, 15},
    {120, 100, 17}, {120, 120, 20}, {144, 80, 16},  {144, 90, 18},  {144, 100, 20}, {144, 120, 24},
    {192, 80, 21},  {192, 90, 24},  {192, 100, 27}, {192, 120, 32},
};

std::vector<KnownHeight> knownAtTheScreenDpi()
{
    std::vector<KnownHeight> known;
    for (const KnownHeight& height : knownHeights)
        if (height.dpi == screenDpi())
            known.push_back(height);
    return known;
}

TEST(PointFont, HeightIsTheNegativeCharacterHeightForTheScreen)
{
    const std::vector<KnownHeight> known = knownAtTheScreenDpi();
    if (known.empty())
        GTEST_SKIP() << "not measured here: no known heights at " << screenDpi() << " DPI";
    for (const KnownHeight& height : known)
        EXPECT_EQ(screenFontHeight(height.tenthsOfPoint), -height.pixels) << height.tenthsOfPoint;
}

// The font mapper makes a font of that character height: its cell less the
// internal leading.
TEST(PointFont, TheSystemMakesAFontOfThatCharacterHeight)
{
    const std::vector<KnownHeight> known = knownAtTheScreenDpi();
    if (known.empty())
        GTEST_SKIP() << "not measured here: no known heights at " << screenDpi() << " DPI";
    const WindowDcScope screen(nullptr);
    ASSERT_NE(screen.get(), nullptr);
    for (const KnownHeight& height : known) {
        const UniqueFont font = createPointFont(fixedPitchJapaneseFace, height.tenthsOfPoint);
        ASSERT_TRUE(font);
        const SelectionScope selected(screen.get(), font.get());
        TEXTMETRICW metrics{};
        ASSERT_TRUE(GetTextMetricsW(screen.get(), &metrics));
        EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, height.pixels) << height.tenthsOfPoint;
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
