// Byte-level writers for the three Windows file formats the game loads:
// 24-bit BMP, 16-bit mono PCM WAVE and a single-image 4-bit ICO.
// All multi-byte fields are little-endian.
#include "assetgen.h"

namespace assetgen {
namespace {

constexpr std::uint32_t kBmpFileHeaderSize = 14;
constexpr std::uint32_t kBmpInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 2835;  // 72 dpi
constexpr std::uint16_t kWavPcmFormat = 1;
constexpr std::uint16_t kWavBitsPerSample = 16;
constexpr std::uint32_t kIconDirSize = 6;
constexpr std::uint32_t kIconDirEntrySize = 16;
constexpr int kIconColours = 16;

void putU8(Bytes& out, std::uint32_t v) { out.push_back(std::uint8_t(v)); }
void putU16(Bytes& out, std::uint32_t v) {
    putU8(out, v & 0xFF);
    putU8(out, (v >> 8) & 0xFF);
}
void putU32(Bytes& out, std::uint32_t v) {
    putU16(out, v & 0xFFFF);
    putU16(out, v >> 16);
}
void putTag(Bytes& out, const char (&tag)[5]) { out.insert(out.end(), tag, tag + 4); }

// DIB rows are padded to a multiple of four bytes.
std::uint32_t rowStride(int width, int bitsPerPixel) {
    return std::uint32_t((width * bitsPerPixel + 31) / 32 * 4);
}

void putInfoHeader(Bytes& out, int width, int height, int bitsPerPixel, std::uint32_t imageSize,
                   std::int32_t pixelsPerMetre) {
    putU32(out, kBmpInfoHeaderSize);
    putU32(out, std::uint32_t(width));
    putU32(out, std::uint32_t(height));  // positive: rows stored bottom-up
    putU16(out, 1);                      // planes
    putU16(out, std::uint32_t(bitsPerPixel));
    putU32(out, 0);                      // BI_RGB, uncompressed
    putU32(out, imageSize);
    putU32(out, std::uint32_t(pixelsPerMetre));
    putU32(out, std::uint32_t(pixelsPerMetre));
    putU32(out, 0);                      // colours used: all for the depth
    putU32(out, 0);                      // important colours: all
}

}  // namespace

Bytes encodeBmp24(const Image& image) {
    const std::uint32_t stride = rowStride(image.width, 24);
    const std::uint32_t imageSize = stride * std::uint32_t(image.height);
    const std::uint32_t dataOffset = kBmpFileHeaderSize + kBmpInfoHeaderSize;

    Bytes out;
    out.reserve(dataOffset + imageSize);
    putU8(out, 'B');
    putU8(out, 'M');
    putU32(out, dataOffset + imageSize);
    putU32(out, 0);  // reserved
    putU32(out, dataOffset);
    putInfoHeader(out, image.width, image.height, 24, imageSize, kPixelsPerMetre);

    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < image.width; ++x) {
            const Rgb& p = image.at(x, y);
            putU8(out, p.b);
            putU8(out, p.g);
            putU8(out, p.r);
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

Bytes encodeWavMono16(const Samples& samples) {
    const std::uint16_t channels = 1;
    const std::uint16_t blockAlign = channels * kWavBitsPerSample / 8;
    const std::uint32_t dataSize = std::uint32_t(samples.size()) * blockAlign;

    Bytes out;
    putTag(out, "RIFF");
    putU32(out, 36 + dataSize);  // everything after this field
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putU32(out, 16);
    putU16(out, kWavPcmFormat);
    putU16(out, channels);
    putU32(out, kSampleRate);
    putU32(out, kSampleRate * blockAlign);
    putU16(out, blockAlign);
    putU16(out, kWavBitsPerSample);
    putTag(out, "data");
    putU32(out, dataSize);
    for (std::int16_t s : samples) putU16(out, std::uint16_t(s));
    return out;
}

Bytes encodeIco4(const IconImage& icon) {
    const int n = icon.size;
    const std::uint32_t xorStride = rowStride(n, 4);
    const std::uint32_t andStride = rowStride(n, 1);
    const std::uint32_t imageSize = (xorStride + andStride) * std::uint32_t(n);
    const std::uint32_t resourceSize = kBmpInfoHeaderSize + kIconColours * 4 + imageSize;

    Bytes out;
    putU16(out, 0);  // reserved
    putU16(out, 1);  // resource type: icon
    putU16(out, 1);  // image count

    putU8(out, std::uint32_t(n));
    putU8(out, std::uint32_t(n));
    putU8(out, kIconColours);
    putU8(out, 0);  // reserved
    putU16(out, 1);  // planes
    putU16(out, 4);  // bits per pixel
    putU32(out, resourceSize);
    putU32(out, kIconDirSize + kIconDirEntrySize);

    // The stored height covers the colour bitmap and the AND mask stacked.
    putInfoHeader(out, n, 2 * n, 4, imageSize, 0);
    for (const Rgb& c : icon.palette) {
        putU8(out, c.b);
        putU8(out, c.g);
        putU8(out, c.r);
        putU8(out, 0);
    }

    for (int y = n - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < n; x += 2) {
            const std::size_t i = std::size_t(y) * n + x;
            const std::uint8_t right = x + 1 < n ? icon.index[i + 1] : 0;
            putU8(out, std::uint32_t(icon.index[i] << 4 | right));
        }
        out.resize(rowStart + xorStride, 0);
    }
    // AND mask: a set bit lets the screen show through.
    for (int y = n - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        out.resize(rowStart + andStride, 0);
        for (int x = 0; x < n; ++x)
            if (icon.transparent[std::size_t(y) * n + x])
                out[rowStart + x / 8] |= std::uint8_t(0x80 >> (x % 8));
    }
    return out;
}

}  // namespace assetgen
