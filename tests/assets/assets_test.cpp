// Parses the committed picture, sound and icon files and checks the facts the
// game relies on: formats it can load, layout colours it samples, and sound
// levels that neither clip nor click.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kSampleRate = 22050;
constexpr int kPeakLimit = 16384;    // -6 dBFS
constexpr int kPeakFloor = 12000;    // anything quieter means a broken mix
constexpr int kEdgeSampleLimit = 64; // ends must be near silence to avoid clicks

Bytes readAsset(const std::string& name) {
    std::ifstream in(std::string(BRIXOL_ASSETS_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t u16(const Bytes& b, std::size_t at) { return b.at(at) | b.at(at + 1) << 8; }
std::uint32_t u32(const Bytes& b, std::size_t at) { return u16(b, at) | u16(b, at + 2) << 16; }
std::string tag(const Bytes& b, std::size_t at, std::size_t len) {
    return std::string(b.begin() + std::ptrdiff_t(at), b.begin() + std::ptrdiff_t(at + len));
}

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << '(' << c.r << ',' << c.g << ',' << c.b << ')';
}

// A 24-bit bottom-up BMP, read through its headers rather than fixed offsets.
struct Bmp {
    Bytes bytes;
    int width = 0, height = 0;
    std::uint32_t dataOffset = 0, stride = 0;

    explicit Bmp(const std::string& name) : bytes(readAsset(name)) {
        if (bytes.size() < 54) return;
        width = int(u32(bytes, 18));
        height = int(u32(bytes, 22));
        dataOffset = u32(bytes, 10);
        stride = std::uint32_t((width * 3 + 3) / 4 * 4);
    }
    Rgb at(int x, int y) const {
        const std::size_t p = dataOffset + std::size_t(height - 1 - y) * stride + std::size_t(x) * 3;
        return {bytes.at(p + 2), bytes.at(p + 1), bytes.at(p)};
    }
};

struct Rect {
    int x, y, w, h;
    bool contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

constexpr Rgb kSurround{235, 235, 235};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rect kPlayfield{8, 16, 160, 320};
constexpr Rect kNextBox{176, 16, 64, 64};
// The caption sits under the next-piece box, across its full width.
constexpr Rect kLabelArea{176, 80, 64, 26};

// ---- BMP container -------------------------------------------------------

struct BmpCase {
    const char* file;
    int width, height;
};
std::ostream& operator<<(std::ostream& os, const BmpCase& c) { return os << c.file; }

class BmpFormat : public ::testing::TestWithParam<BmpCase> {};

TEST_P(BmpFormat, IsUncompressed24BitBottomUpWithPaddedRows) {
    const BmpCase& c = GetParam();
    const Bmp bmp(c.file);
    ASSERT_GE(bmp.bytes.size(), 54u) << c.file << " missing or truncated";
    const std::uint32_t stride = (std::uint32_t(c.width) * 3 + 3) / 4 * 4;
    const std::uint32_t imageSize = stride * std::uint32_t(c.height);

    EXPECT_EQ(tag(bmp.bytes, 0, 2), "BM");
    EXPECT_EQ(u32(bmp.bytes, 2), bmp.bytes.size());
    EXPECT_EQ(u32(bmp.bytes, 10), 54u);
    EXPECT_EQ(u32(bmp.bytes, 14), 40u);
    EXPECT_EQ(bmp.width, c.width);
    EXPECT_EQ(bmp.height, c.height);  // positive: bottom-up
    EXPECT_EQ(u16(bmp.bytes, 26), 1u);
    EXPECT_EQ(u16(bmp.bytes, 28), 24u);
    EXPECT_EQ(u32(bmp.bytes, 30), 0u);
    EXPECT_EQ(u32(bmp.bytes, 34), imageSize);
    EXPECT_EQ(u32(bmp.bytes, 38), 2835u);
    EXPECT_EQ(u32(bmp.bytes, 42), 2835u);
    EXPECT_EQ(bmp.bytes.size(), 54u + imageSize);
}

INSTANTIATE_TEST_SUITE_P(Pictures, BmpFormat,
                         ::testing::Values(BmpCase{"frame.bmp", 248, 352}, BmpCase{"tiles.bmp", 144, 16}),
                         [](const auto& info) { return std::string(info.param.file).substr(0, 5); });

// ---- Frame ---------------------------------------------------------------

TEST(Frame, OnlyTheTwoBlackAreasAndTheCaptionDifferFromTheSurround) {
    const Bmp frame("frame.bmp");
    ASSERT_EQ(frame.width, 248);
    ASSERT_EQ(frame.height, 352);

    int stray = 0;
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            const Rgb p = frame.at(x, y);
            if (kPlayfield.contains(x, y) || kNextBox.contains(x, y)) {
                if (!(p == kBlack) && stray++ < 5) ADD_FAILURE() << "not black at " << x << ',' << y << ": " << p;
            } else if (!kLabelArea.contains(x, y)) {
                if (!(p == kSurround) && stray++ < 5) ADD_FAILURE() << "not surround at " << x << ',' << y << ": " << p;
            }
        }
    }
    EXPECT_EQ(stray, 0);
}

TEST(Frame, CornersAndAreaEdgesSampleAsExpected) {
    const Bmp frame("frame.bmp");
    ASSERT_EQ(frame.width, 248);
    struct Probe {
        int x, y;
        Rgb expected;
    };
    const Probe probes[] = {
        {0, 0, kSurround},     {247, 0, kSurround},   {0, 351, kSurround},   {247, 351, kSurround},
        {8, 16, kBlack},       {167, 16, kBlack},     {8, 335, kBlack},      {167, 335, kBlack},
        {7, 16, kSurround},    {168, 16, kSurround},  {8, 15, kSurround},    {8, 336, kSurround},
        {176, 16, kBlack},     {239, 79, kBlack},     {175, 16, kSurround},  {240, 16, kSurround},
        {176, 15, kSurround},  {176, 80, kSurround},
    };
    for (const Probe& p : probes) EXPECT_EQ(frame.at(p.x, p.y), p.expected) << "at " << p.x << ',' << p.y;
}

TEST(Frame, CaptionIsDarkTextCentredUnderTheNextBox) {
    const Bmp frame("frame.bmp");
    ASSERT_EQ(frame.width, 248);
    int left = frame.width, right = -1, top = frame.height, bottom = -1;
    for (int y = kLabelArea.y; y < kLabelArea.y + kLabelArea.h; ++y) {
        for (int x = kLabelArea.x; x < kLabelArea.x + kLabelArea.w; ++x) {
            const Rgb p = frame.at(x, y);
            EXPECT_TRUE(p.r == p.g && p.g == p.b) << "caption pixel not grey at " << x << ',' << y;
            if (p.r < 96) {  // ink, not the softened edges
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    ASSERT_GE(right, 0) << "no caption ink under the next box";
    const int textHeight = bottom - top + 1;
    EXPECT_GE(textHeight, 10);
    EXPECT_LE(textHeight, 14);
    EXPECT_GE(bottom, 96);
    EXPECT_LE(bottom, 100);
    EXPECT_GE(right - left + 1, 32) << "too narrow for four letters";
    EXPECT_NEAR((left + right) / 2.0, kNextBox.x + kNextBox.w / 2.0, 2.0);
}

// ---- Tiles ---------------------------------------------------------------

constexpr int kTile = 16;

// How a tile's rim relates to its face.
enum class Edges { Bevelled, Flat, NearBlack };

struct TileCase {
    int index;
    Rgb centre;
    Edges edges;
};
std::ostream& operator<<(std::ostream& os, const TileCase& c) { return os << "tile " << c.index; }

class Tile : public ::testing::TestWithParam<TileCase> {};

TEST_P(Tile, CentreIsExactAndInnerFaceStaysClose) {
    const TileCase& c = GetParam();
    const Bmp tiles("tiles.bmp");
    ASSERT_EQ(tiles.width, 9 * kTile);
    const int x0 = c.index * kTile;
    EXPECT_EQ(tiles.at(x0 + 8, 8), c.centre);
    for (int y = 4; y <= 11; ++y) {
        for (int x = 4; x <= 11; ++x) {
            const Rgb p = tiles.at(x0 + x, y);
            EXPECT_LE(std::abs(p.r - c.centre.r), 12) << "at " << x << ',' << y;
            EXPECT_LE(std::abs(p.g - c.centre.g), 12) << "at " << x << ',' << y;
            EXPECT_LE(std::abs(p.b - c.centre.b), 12) << "at " << x << ',' << y;
        }
    }
}

TEST_P(Tile, EdgesMatchTheTileStyle) {
    const TileCase& c = GetParam();
    const Bmp tiles("tiles.bmp");
    ASSERT_EQ(tiles.width, 9 * kTile);
    const int x0 = c.index * kTile;
    auto brightness = [&](int x, int y) {
        const Rgb p = tiles.at(x0 + x, y);
        return p.r + p.g + p.b;
    };

    switch (c.edges) {
        case Edges::Bevelled: {
            const int centre = brightness(8, 8);
            EXPECT_GT(brightness(8, 0), centre) << "top edge";
            EXPECT_GT(brightness(0, 8), centre) << "left edge";
            EXPECT_LT(brightness(8, 15), centre) << "bottom edge";
            EXPECT_LT(brightness(15, 8), centre) << "right edge";
            break;
        }
        case Edges::Flat:
            for (int y = 0; y < kTile; ++y)
                for (int x = 0; x < kTile; ++x) EXPECT_EQ(tiles.at(x0 + x, y), c.centre) << "at " << x << ',' << y;
            break;
        case Edges::NearBlack:
            for (int y = 0; y < kTile; ++y) {
                for (int x = 0; x < kTile; ++x) {
                    const Rgb p = tiles.at(x0 + x, y);
                    EXPECT_LE(std::max({p.r, p.g, p.b}), 24) << "at " << x << ',' << y;
                }
            }
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(Strip, Tile,
                         ::testing::Values(TileCase{0, {8, 8, 8}, Edges::NearBlack},
                                           TileCase{1, {215, 64, 38}, Edges::Bevelled},
                                           TileCase{2, {8, 236, 90}, Edges::Bevelled},
                                           TileCase{3, {241, 238, 45}, Edges::Bevelled},
                                           TileCase{4, {218, 103, 255}, Edges::Bevelled},
                                           TileCase{5, {82, 229, 255}, Edges::Bevelled},
                                           TileCase{6, {221, 222, 216}, Edges::Bevelled},
                                           TileCase{7, {100, 151, 240}, Edges::Bevelled},
                                           TileCase{8, {232, 232, 232}, Edges::Flat}),
                         [](const auto& info) { return "tile" + std::to_string(info.param.index); });

// ---- Sounds --------------------------------------------------------------

struct SoundCase {
    const char* file;
    int ms;
};
std::ostream& operator<<(std::ostream& os, const SoundCase& c) { return os << c.file << ' ' << c.ms << " ms"; }

class Sound : public ::testing::TestWithParam<SoundCase> {};

TEST_P(Sound, IsCanonicalMonoPcmOfTheRightLengthWithoutClippingOrClicks) {
    const SoundCase& c = GetParam();
    const Bytes w = readAsset(c.file);
    ASSERT_GE(w.size(), 44u) << c.file << " missing or truncated";
    const std::uint32_t samples = std::uint32_t((kSampleRate * c.ms + 500) / 1000);

    EXPECT_EQ(tag(w, 0, 4), "RIFF");
    EXPECT_EQ(u32(w, 4), w.size() - 8);
    EXPECT_EQ(tag(w, 8, 4), "WAVE");
    EXPECT_EQ(tag(w, 12, 4), "fmt ");
    EXPECT_EQ(u32(w, 16), 16u);
    EXPECT_EQ(u16(w, 20), 1u);  // PCM
    EXPECT_EQ(u16(w, 22), 1u);  // mono
    EXPECT_EQ(u32(w, 24), std::uint32_t(kSampleRate));
    EXPECT_EQ(u32(w, 28), std::uint32_t(kSampleRate * 2));
    EXPECT_EQ(u16(w, 32), 2u);
    EXPECT_EQ(u16(w, 34), 16u);
    EXPECT_EQ(tag(w, 36, 4), "data");
    ASSERT_EQ(u32(w, 40), samples * 2);
    ASSERT_EQ(w.size(), 44u + samples * 2);

    auto sample = [&](std::uint32_t i) { return int(std::int16_t(u16(w, 44 + 2 * i))); };
    int peak = 0;
    for (std::uint32_t i = 0; i < samples; ++i) peak = std::max(peak, std::abs(sample(i)));
    EXPECT_LE(peak, kPeakLimit);
    EXPECT_GE(peak, kPeakFloor);
    EXPECT_LE(std::abs(sample(0)), kEdgeSampleLimit);
    EXPECT_LE(std::abs(sample(samples - 1)), kEdgeSampleLimit);
}

INSTANTIATE_TEST_SUITE_P(Effects, Sound,
                         ::testing::Values(SoundCase{"clear.wav", 231}, SoundCase{"turn.wav", 88},
                                           SoundCase{"lock.wav", 111}, SoundCase{"levelup.wav", 1592},
                                           SoundCase{"move.wav", 68}, SoundCase{"gameover.wav", 1000}),
                         [](const auto& info) {
                             const std::string f = info.param.file;
                             return f.substr(0, f.find('.'));
                         });

// ---- Icon ----------------------------------------------------------------

TEST(Icon, HasOne32x32SixteenColourImageWithMask) {
    const Bytes ico = readAsset("brixol.ico");
    constexpr std::uint32_t kHeader = 40, kPalette = 16 * 4, kXor = 32 * 16, kAnd = 32 * 4;
    constexpr std::uint32_t kResource = kHeader + kPalette + kXor + kAnd;
    ASSERT_EQ(ico.size(), 22u + kResource);

    // ICONDIR and its single entry.
    EXPECT_EQ(u16(ico, 0), 0u);
    EXPECT_EQ(u16(ico, 2), 1u);
    EXPECT_EQ(u16(ico, 4), 1u);
    EXPECT_EQ(ico[6], 32);
    EXPECT_EQ(ico[7], 32);
    EXPECT_EQ(ico[8], 16);
    EXPECT_EQ(ico[9], 0);
    EXPECT_EQ(u16(ico, 10), 1u);
    EXPECT_EQ(u16(ico, 12), 4u);
    EXPECT_EQ(u32(ico, 14), kResource);
    EXPECT_EQ(u32(ico, 18), 22u);

    // The image's own header counts colour bitmap and mask together.
    EXPECT_EQ(u32(ico, 22), kHeader);
    EXPECT_EQ(u32(ico, 26), 32u);
    EXPECT_EQ(u32(ico, 30), 64u);
    EXPECT_EQ(u16(ico, 34), 1u);
    EXPECT_EQ(u16(ico, 36), 4u);
    EXPECT_EQ(u32(ico, 38), 0u);
}

TEST(Icon, TransparentPixelsAreBlankAndSomeBlocksAreDrawn) {
    const Bytes ico = readAsset("brixol.ico");
    ASSERT_EQ(ico.size(), 766u);
    const std::size_t xorStart = 22 + 40 + 16 * 4, andStart = xorStart + 32 * 16;
    int opaque = 0, transparent = 0;
    for (int row = 0; row < 32; ++row) {
        for (int x = 0; x < 32; ++x) {
            const int index = ico[xorStart + row * 16 + x / 2] >> (x % 2 ? 0 : 4) & 0xF;
            const bool clear = ico[andStart + row * 4 + x / 8] >> (7 - x % 8) & 1;
            if (clear) {
                ++transparent;
                EXPECT_EQ(index, 0) << "colour under a transparent pixel, row " << row << " x " << x;
            } else {
                ++opaque;
            }
        }
    }
    EXPECT_GT(opaque, 32 * 32 / 4);
    EXPECT_GT(transparent, 0);
}

}  // namespace
