// The board's captions at other system DPIs: the board is a fixed picture of
// 248 x 352 pixels, so its text must keep its pixel size whatever the DPI.
// This program starts itself again at 96, 120 and 144 DPI, and each of those
// runs compares its captions with the pictures this run drew.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "game/GameStats.h"
#include "game/GameCaptions.h"
#include "render/GdiSurface.h"
#include "render/ImageStore.h"
#include "win/GdiplusApi.h"
#include "win/GdiplusSession.h"
#include "tests/support/win32/PixelCanvas.h"
#include "tests/support/win32/SystemDpi.h"
#include "tests/support/win32/TemporaryDirectory.h"

namespace {

constexpr int boardWidth = 248;
constexpr int boardHeight = 352;
const wchar_t referenceVariable[] = L"BRIXOL_CAPTION_REFERENCE";

// The board behind the captions: the black playfield, light grey around it.
const Rgb surround{235, 235, 235};
const Rgb playfield{0, 0, 0};
Rgb boardBehind(int x, int y)
{
    return x >= 8 && x < 168 && y >= 16 && y < 336 ? playfield : surround;
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

using CaptionPixels = std::vector<std::uint32_t>;  // top-down rows of 0x00RRGGBB

CaptionPixels pixelsOf(const PixelCanvas& canvas)
{
    CaptionPixels picture;
    picture.reserve(static_cast<std::size_t>(canvas.width()) * canvas.height());
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const Rgb pixel = canvas.pixel(x, y);
            picture.push_back(static_cast<std::uint32_t>(pixel.red << 16 | pixel.green << 8 | pixel.blue));
        }
    }
    return picture;
}

// A board-sized canvas in the colours of the board.
class BoardCanvas : public PixelCanvas {
public:
    BoardCanvas() : PixelCanvas(boardWidth, boardHeight, surround)
    {
        const UniqueBrush black(CreateSolidBrush(playfield.colorRef()));
        const RECT field{8, 16, 168, 336};
        FillRect(dc(), &field, black.get());
    }
};

// Each caption drawn alone on the board, through the program's surface.
std::vector<CaptionPixels> drawCaptions()
{
    const ImageStore noImages(UniqueBitmap{}, UniqueBitmap{}, UniqueBitmap{});
    const GameStats stats = playedStats();
    std::vector<CaptionPixels> pictures;
    for (const CaptionView& view : boardCaptions(stats)) {
        BoardCanvas canvas;
        {
            GdiSurface surface(canvas.dc(), Size{boardWidth, boardHeight}, noImages);
            view.caption->draw(surface);
        }
        pictures.push_back(pixelsOf(canvas));
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
int differingPixels(const CaptionPixels& one, const CaptionPixels& other)
{
    int count = 0;
    for (std::size_t i = 0; i < one.size() && i < other.size(); ++i)
        count += !rgbOfPixel(one[i]).closeTo(rgbOfPixel(other[i]), colourTolerance);
    return count;
}

// The caption's own pixels: those that plainly differ from the board.
int inkPixels(const CaptionPixels& picture)
{
    int count = 0;
    for (int y = 0; y < boardHeight; ++y)
        for (int x = 0; x < boardWidth; ++x)
            count += !rgbOfPixel(picture[y * boardWidth + x]).closeTo(boardBehind(x, y), colourTolerance);
    return count;
}

bool writePictures(const std::wstring& path, const std::vector<CaptionPixels>& pictures)
{
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr)
        return false;
    bool written = true;
    for (const CaptionPixels& picture : pictures)
        written = written && std::fwrite(picture.data(), sizeof(std::uint32_t), picture.size(), file) == picture.size();
    return std::fclose(file) == 0 && written;
}

std::vector<CaptionPixels> readPictures(const std::wstring& path, std::size_t count)
{
    std::vector<CaptionPixels> pictures;
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr)
        return pictures;
    for (std::size_t i = 0; i < count; ++i) {
        CaptionPixels picture(static_cast<std::size_t>(boardWidth) * boardHeight);
        if (std::fread(picture.data(), sizeof(std::uint32_t), picture.size(), file) != picture.size())
            break;
        pictures.push_back(std::move(picture));
    }
    std::fclose(file);
    return pictures;
}

std::wstring environmentValue(const wchar_t* name)
{
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(name, buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

class CaptionDpiTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(GdiplusSession::running()); }
};

// Run by the test below in a process at another DPI: the captions there
// against the pictures of the starting process. A slightly different
// rasterisation may move a few edge pixels; a caption of another size moves
// hundreds.
TEST_F(CaptionDpiTest, CaptionsMatchThePicturesOfTheStartingProcess)
{
    const std::wstring reference = environmentValue(referenceVariable);
    if (reference.empty())
        GTEST_SKIP() << "runs in the processes that CaptionsAreTheSameAtEverySystemDpi starts";

    const std::vector<CaptionPixels> drawn = drawCaptions();
    const std::vector<CaptionPixels> expected = readPictures(reference, drawn.size());
    ASSERT_EQ(expected.size(), drawn.size()) << "the starting process's pictures cannot be read";
    const GameStats stats = playedStats();
    const std::vector<CaptionView> views = boardCaptions(stats);
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const int ink = inkPixels(expected[i]);
        const int differing = differingPixels(drawn[i], expected[i]);
        std::printf("%3d DPI, %-28s %5d of %5d caption pixels differ\n", screenDpi(), views[i].name.c_str(),
                    differing, ink);
        EXPECT_GT(ink, 100) << views[i].name << ": the caption draws (almost) nothing";
        EXPECT_LE(differing, ink / 50) << views[i].name << " at " << screenDpi() << " DPI";
    }
}

TEST_F(CaptionDpiTest, CaptionsAreTheSameAtEverySystemDpi)
{
    if (requestedDpi() != 0)
        GTEST_SKIP() << "already a run at a requested DPI";
    if (!systemDpiFollowsTheRegistry())
        GTEST_SKIP() << "this system changes its DPI only at the next log-on";

    const TemporaryDirectory directory(TemporaryDirectory::Use::KeepCurrent);
    const std::wstring reference = directory.path() + L"\\captions.bin";
    ASSERT_TRUE(writePictures(reference, drawCaptions()));
    ASSERT_TRUE(SetEnvironmentVariableW(referenceVariable, reference.c_str()));
    for (const int dpi : {96, 120, 144}) {
        const ChildRun run = runThisProgramAtDpi(dpi, "CaptionDpiTest.CaptionsMatchThePicturesOfTheStartingProcess");
        if (run.finished && run.exitCode == 0)
            std::printf("%s", run.output.c_str());
        else
            ADD_FAILURE() << dpi << " DPI: " << describe(run);
    }
    SetEnvironmentVariableW(referenceVariable, nullptr);
}

// At 96 DPI a point is 4/3 pixel, so the pixel-sized fonts give exactly the
// pixels of the point-sized fonts the board was drawn with before.
TEST_F(CaptionDpiTest, At96DpiTheCaptionsAreThePixelsOfPointSizedFonts)
{
    if (screenDpi() != 96)
        GTEST_SKIP() << "the point-sized fonts gave the board's pixels only at 96 DPI";

    const std::vector<CaptionPixels> drawn = drawCaptions();
    const GameStats stats = playedStats();
    const std::vector<CaptionView> views = boardCaptions(stats);
    for (std::size_t i = 0; i < views.size(); ++i) {
        const Caption& caption = *views[i].caption;
        BoardCanvas canvas;
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
        const CaptionPixels pointSized = pixelsOf(canvas);
        EXPECT_GT(inkPixels(pointSized), 100) << views[i].name;
        EXPECT_TRUE(drawn[i] == pointSized) << views[i].name << ": "
                                            << differingPixels(drawn[i], pointSized) << " pixels plainly differ";
    }
}

}  // namespace
