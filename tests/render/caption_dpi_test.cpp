// The board's captions at other system DPIs: the window draws the board at
// the scale of the screen's DPI, and the text at that scale must be the
// same whatever DPI the system has (GDI+ would size a font given in points
// a second time by the system's DPI). This program starts itself again at
// 96, 120, 144 and 192 DPI, and each of those runs compares its captions,
// drawn at the scale of its DPI, with the pictures this run drew at it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "game/GameStats.h"
#include "game/GameCaptions.h"
#include "render/BoardScale.h"
#include "render/GdiSurface.h"
#include "render/ImageStore.h"
#include "render/PixelScaling.h"
#include "win/GdiplusApi.h"
#include "win/GdiplusSession.h"
#include "tests/support/win32/PixelCanvas.h"
#include "tests/support/win32/SystemDpi.h"
#include "tests/support/win32/TemporaryDirectory.h"

namespace {

constexpr int boardWidth = 248;
constexpr int boardHeight = 352;
const wchar_t referenceVariable[] = L"BRIXOL_CAPTION_REFERENCE";
const std::vector<int> systemDpis = {96, 120, 144, 192};

// The board behind the captions: the black playfield, light grey around it.
const Rgb surround{235, 235, 235};
const Rgb playfield{0, 0, 0};
RECT playfieldAt(BoardScale scale)
{
    return RECT{scale.toDevice(8), scale.toDevice(16), scale.toDevice(168), scale.toDevice(336)};
}
Rgb boardBehind(int x, int y, BoardScale scale)
{
    const RECT field = playfieldAt(scale);
    return x >= field.left && x < field.right && y >= field.top && y < field.bottom ? playfield : surround;
}

// One caption of a game in one of its states, as the game would leave it.
struct CaptionView {
    std::string name;
    std::unique_ptr<Caption> caption;
};

std::vector<CaptionView> boardCaptions(const GameStats& stats)
{
    std::vector<CaptionView> views;
    auto score = std::make_unique<CaptionScore>(175, 160, stats);
    score->reset();
    views.push_back({"score panel after Start", std::move(score)});

    auto played = std::make_unique<CaptionScore>(175, 160, stats);
    played->reset();
    played->update();
    views.push_back({"score panel with six digits", std::move(played)});

    auto levelUp = std::make_unique<CaptionLevelUp>(30, 160);
    levelUp->reset();
    levelUp->show();
    views.push_back({"LEVEL UP", std::move(levelUp)});

    for (const int lines : {1, 4}) {
        auto clear = std::make_unique<CaptionDelete>(40, 160);
        clear->reset();
        clear->show(lines);
        views.push_back({lines == 1 ? "SINGLE" : "KALVEX", std::move(clear)});
    }
    auto backToBack = std::make_unique<CaptionDelete>(40, 160);
    backToBack->reset();
    backToBack->show(4);
    backToBack->show(4);
    views.push_back({"BACK-TO-BACK KALVEX", std::move(backToBack)});

    auto pause = std::make_unique<CaptionPause>(40, 150);
    pause->reset();
    pause->visible = true;
    views.push_back({"Pause", std::move(pause)});
    return views;
}

GameStats playedStats()
{
    GameStats stats;
    stats.score = 987654;
    stats.lines = 321;
    stats.level = 10;
    return stats;
}

// A canvas of the board at the scale, in the colours of the board.
class BoardCanvas : public PixelCanvas {
public:
    explicit BoardCanvas(BoardScale scale)
        : PixelCanvas(scale.toDevice(boardWidth), scale.toDevice(boardHeight), surround)
    {
        const UniqueBrush black(CreateSolidBrush(playfield.colorRef()));
        const RECT field = playfieldAt(scale);
        FillRect(dc(), &field, black.get());
    }
};

// Each caption drawn alone on the board at the scale, through the
// program's surface.
std::vector<PixelImage> drawCaptions(BoardScale scale)
{
    const ImageStore noImages(UniqueBitmap{}, UniqueBitmap{}, UniqueBitmap{});
    const GameStats stats = playedStats();
    std::vector<PixelImage> pictures;
    for (const CaptionView& view : boardCaptions(stats)) {
        BoardCanvas canvas(scale);
        {
            GdiSurface surface(canvas.dc(), Size{canvas.width(), canvas.height()}, noImages, nullptr, scale);
            view.caption->draw(surface);
        }
        pictures.push_back(pictureOf(canvas));
    }
    return pictures;
}

Rgb rgbOfPixel(std::uint32_t pixel)
{
    return Rgb{static_cast<int>(pixel >> 16 & 0xFF), static_cast<int>(pixel >> 8 & 0xFF),
               static_cast<int>(pixel & 0xFF)};
}

// Pixels that plainly differ; anti-aliasing shades within the tolerance
// do not count.
constexpr int colourTolerance = 48;
int differingPixels(const PixelImage& one, const PixelImage& other)
{
    int count = 0;
    for (std::size_t i = 0; i < one.pixels().size() && i < other.pixels().size(); ++i)
        count += !rgbOfPixel(one.pixels()[i]).closeTo(rgbOfPixel(other.pixels()[i]), colourTolerance);
    return count;
}

// The caption's own pixels: those that plainly differ from the board.
int inkPixels(const PixelImage& picture, BoardScale scale)
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            count += !rgbOfPixel(picture.at(x, y)).closeTo(boardBehind(x, y, scale), colourTolerance);
    return count;
}

class CaptionDpiTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(GdiplusSession::running()); }
};

// Run by the test below in a process at another DPI: the captions at the
// scale of that DPI against the pictures of the starting process. A
// slightly different rasterisation may move a few edge pixels; a caption
// of another size moves hundreds.
TEST_F(CaptionDpiTest, CaptionsMatchThePicturesOfTheStartingProcess)
{
    const std::wstring reference = environmentValue(referenceVariable);
    if (reference.empty())
        GTEST_SKIP() << "runs in the processes that CaptionsAreTheSameAtEverySystemDpi starts";

    const BoardScale scale(screenDpi());
    const std::vector<PixelImage> drawn = drawCaptions(scale);
    const std::vector<PixelImage> everyScale = readReferencePictures(reference);
    const auto dpiIndex = std::find(systemDpis.begin(), systemDpis.end(), screenDpi()) - systemDpis.begin();
    ASSERT_LT(dpiIndex, static_cast<std::ptrdiff_t>(systemDpis.size())) << "no pictures for " << screenDpi() << " DPI";
    ASSERT_EQ(everyScale.size(), systemDpis.size() * drawn.size()) << "the starting process's pictures cannot be read";
    const GameStats stats = playedStats();
    const std::vector<CaptionView> views = boardCaptions(stats);
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const PixelImage& expected = everyScale[static_cast<std::size_t>(dpiIndex) * drawn.size() + i];
        ASSERT_EQ(expected.width(), drawn[i].width());
        const int ink = inkPixels(expected, scale);
        const int differing = differingPixels(drawn[i], expected);
        std::printf("%3d DPI, %-28s %5d of %5d caption pixels differ\n", screenDpi(), views[i].name.c_str(),
                    differing, ink);
        EXPECT_GT(ink, 100) << views[i].name << ": the caption draws (almost) nothing";
        EXPECT_LE(differing, ink / 50) << views[i].name << " at " << screenDpi() << " DPI";
    }
}

TEST_F(CaptionDpiTest, CaptionsAreTheSameAtEverySystemDpi)
{
    if (const char* why = whyNoRunsAtOtherDpis())
        GTEST_SKIP() << why;

    const TemporaryDirectory directory(TemporaryDirectory::Use::KeepCurrent);
    const std::wstring reference = directory.path() + L"\\captions.bin";
    std::vector<PixelImage> everyScale;
    for (const int dpi : systemDpis)
        for (PixelImage& picture : drawCaptions(BoardScale(dpi)))
            everyScale.push_back(std::move(picture));
    ASSERT_TRUE(writeReferencePictures(reference, everyScale));
    ASSERT_TRUE(SetEnvironmentVariableW(referenceVariable, reference.c_str()));
    expectPassingRunsAtDpis(systemDpis, "CaptionDpiTest.CaptionsMatchThePicturesOfTheStartingProcess");
    SetEnvironmentVariableW(referenceVariable, nullptr);
}

// At 96 DPI a point is 4/3 pixel, so the pixel-sized fonts give exactly the
// pixels of the point-sized fonts the board was drawn with before.
TEST_F(CaptionDpiTest, At96DpiTheCaptionsAreThePixelsOfPointSizedFonts)
{
    if (screenDpi() != 96)
        GTEST_SKIP() << "the point-sized fonts gave the board's pixels only at 96 DPI";

    const std::vector<PixelImage> drawn = drawCaptions(BoardScale());
    const GameStats stats = playedStats();
    const std::vector<CaptionView> views = boardCaptions(stats);
    for (std::size_t i = 0; i < views.size(); ++i) {
        const Caption& caption = *views[i].caption;
        BoardCanvas canvas{BoardScale()};
        {
            gdip::UniqueGraphics graphics;
            ASSERT_EQ(gdip::GdipCreateFromHDC(canvas.dc(), graphics.put()), gdip::Ok);
            gdip::UniqueFontFamily family;
            ASSERT_EQ(gdip::GdipCreateFontFamilyFromName(caption.fontFamily.c_str(), nullptr, family.put()), gdip::Ok);
            gdip::UniqueFont font;
            ASSERT_EQ(gdip::GdipCreateFont(family.get(), static_cast<gdip::REAL>(caption.fontSize),
                                           gdip::FontStyleRegular, gdip::UnitPoint, font.put()),
                      gdip::Ok);
            gdip::UniqueSolidFill brush;
            ASSERT_EQ(gdip::GdipCreateSolidFill(caption.color, brush.put()), gdip::Ok);
            gdip::UniqueStringFormat stringFormat;
            ASSERT_EQ(gdip::GdipCreateStringFormat(0, LANG_NEUTRAL, stringFormat.put()), gdip::Ok);
            const float left = static_cast<float>(caption.x);
            const float top = static_cast<float>(caption.y);
            const gdip::RectF area(left, top, left + 200, top + 100);
            gdip::GdipSetClipRect(graphics.get(), area.X, area.Y, area.Width, area.Height, gdip::CombineModeReplace);
            gdip::GdipDrawString(graphics.get(), caption.text.c_str(), -1, font.get(), &area, stringFormat.get(),
                                 brush.get());
        }
        const PixelImage pointSized = pictureOf(canvas);
        EXPECT_GT(inkPixels(pointSized, BoardScale()), 100) << views[i].name;
        EXPECT_TRUE(drawn[i] == pointSized) << views[i].name << ": "
                                            << differingPixels(drawn[i], pointSized) << " pixels plainly differ";
    }
}

}  // namespace
