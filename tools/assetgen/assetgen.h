// Shared types and entry points of the Brixol asset generator.
// Every asset is built in memory, encoded to bytes, then written by main().
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

using Bytes = std::vector<std::uint8_t>;

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// True-colour picture, top-left origin.
struct Image {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;

    Image(int w, int h, Rgb fill) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
    Rgb& at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
    const Rgb& at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
    void fillRect(int x, int y, int w, int h, Rgb c) {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i) at(i, j) = c;
    }
};

// 16-colour picture plus a transparency mask, as stored in a classic icon.
struct IconImage {
    int size = 0;                        // square, size x size
    std::vector<std::uint8_t> index;     // palette index per pixel, top-left origin
    std::vector<bool> transparent;       // per pixel
    std::vector<Rgb> palette;            // exactly 16 entries
};

// Mono 16-bit PCM at kSampleRate.
constexpr int kSampleRate = 22050;
using Samples = std::vector<std::int16_t>;

struct SoundAsset {
    std::string fileName;
    Samples samples;
};

// encoders.cpp
Bytes encodeBmp24(const Image& image);
Bytes encodeWavMono16(const Samples& samples);
Bytes encodeIco4(const IconImage& icon);

// artwork.cpp
Image drawFrame();
Image drawTiles();
IconImage drawIcon();

// label.cpp: draws capitals centred on centreX with their bottom row on
// baselineY; throws std::invalid_argument for a letter it has no glyph for.
void drawLabel(Image& image, const std::string& text, int centreX, int baselineY, Rgb ink);

// sounds.cpp
std::vector<SoundAsset> makeSounds();

// detmath.cpp: sine and exponential built from plain IEEE arithmetic, so the
// sound bytes never depend on which libm the generator is linked against.
double sinTurns(double turns);  // sin(2*pi*turns)
double expDet(double x);

}  // namespace assetgen
