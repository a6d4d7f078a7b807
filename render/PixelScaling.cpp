#include "render/PixelScaling.h"

#include <algorithm>
#include <utility>

#include "render/IntegerDivision.h"

namespace {

// One source pixel's share of a target pixel, in parts of weightTotal; the
// shares of every target pixel add up to weightTotal exactly, so that an
// even colour stays the same colour.
struct Tap {
    int source;
    std::uint32_t weight;
};
using Taps = std::vector<std::vector<Tap>>;  // per target pixel
constexpr std::uint32_t weightBits = 12;
constexpr std::uint32_t weightTotal = 1u << weightBits;

// Shares proportional to parts (of which there are `whole` in all), rounded,
// with what rounding lost or added given to the largest.
std::vector<Tap> normalised(const std::vector<std::pair<int, std::int64_t>>& parts, std::int64_t whole)
{
    std::vector<Tap> taps;
    std::uint32_t sum = 0;
    for (const auto& [source, part] : parts) {
        if (part <= 0)
            continue;
        const auto weight = static_cast<std::uint32_t>((part * weightTotal + whole / 2) / whole);
        taps.push_back(Tap{source, weight});
        sum += weight;
    }
    if (!taps.empty()) {
        auto largest = std::max_element(taps.begin(), taps.end(),
                                        [](const Tap& a, const Tap& b) { return a.weight < b.weight; });
        largest->weight += weightTotal - sum;
    }
    return taps;
}

// Target pixel i covers source [i * from / to, (i + 1) * from / to); in units
// of 1 / to of a source pixel that is [i * from, (i + 1) * from).
Taps areaTaps(int from, int to, int count)
{
    Taps taps(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::int64_t begin = static_cast<std::int64_t>(i) * from;
        const std::int64_t end = begin + from;
        std::vector<std::pair<int, std::int64_t>> parts;
        for (auto j = static_cast<int>(begin / to); j < from && static_cast<std::int64_t>(j) * to < end; ++j) {
            const std::int64_t overlap =
                std::min<std::int64_t>(end, static_cast<std::int64_t>(j + 1) * to) -
                std::max<std::int64_t>(begin, static_cast<std::int64_t>(j) * to);
            parts.emplace_back(j, overlap);
        }
        taps[static_cast<std::size_t>(i)] = normalised(parts, from);
    }
    return taps;
}

// Target pixel i's centre falls at source (i + 1/2) * from / to - 1/2, between
// two source pixels; each gets the share of its nearness. In units of
// 1 / (2 to) of a source pixel: (2i + 1) from - to.
Taps linearTaps(int from, int to, int count)
{
    Taps taps(static_cast<std::size_t>(count));
    const std::int64_t unit = 2 * static_cast<std::int64_t>(to);
    for (int i = 0; i < count; ++i) {
        const std::int64_t centre = (2 * static_cast<std::int64_t>(i) + 1) * from - to;
        const std::int64_t left = floorDiv(centre, unit);
        const std::int64_t towardsRight = centre - left * unit;
        const int first = static_cast<int>(std::clamp<std::int64_t>(left, 0, from - 1));
        const int second = static_cast<int>(std::clamp<std::int64_t>(left + 1, 0, from - 1));
        if (first == second)
            taps[static_cast<std::size_t>(i)] = normalised({{first, 1}}, 1);
        else
            taps[static_cast<std::size_t>(i)] =
                normalised({{first, unit - towardsRight}, {second, towardsRight}}, unit);
    }
    return taps;
}

Taps smoothTaps(int from, int to, int count)
{
    return to > from ? linearTaps(from, to, count) : areaTaps(from, to, count);
}

// Applies the taps along rows, then along columns, channel by channel. Only
// the source rows the taps name are read.
PixelImage resampled(const PixelImage& source, const Taps& columns, const Taps& rows)
{
    const auto width = static_cast<int>(columns.size());
    const auto height = static_cast<int>(rows.size());
    int firstRow = source.height();
    int lastRow = -1;
    for (const std::vector<Tap>& row : rows) {
        for (const Tap& tap : row) {
            firstRow = std::min(firstRow, tap.source);
            lastRow = std::max(lastRow, tap.source);
        }
    }
    if (lastRow < firstRow)
        return PixelImage();
    // Each channel of the row pass, still in parts of weightTotal.
    std::vector<std::uint32_t> across(static_cast<std::size_t>(width) * (lastRow - firstRow + 1) * 4);
    for (int y = firstRow; y <= lastRow; ++y) {
        const std::uint32_t* from = source.row(y);
        std::uint32_t* to = across.data() + static_cast<std::size_t>(y - firstRow) * width * 4;
        for (int x = 0; x < width; ++x) {
            for (const Tap& tap : columns[static_cast<std::size_t>(x)]) {
                const std::uint32_t pixel = from[tap.source];
                for (int channel = 0; channel < 4; ++channel)
                    to[x * 4 + channel] += ((pixel >> (8 * channel)) & 0xFF) * tap.weight;
            }
        }
    }
    PixelImage result(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint32_t* to = result.row(y);
        for (int x = 0; x < width; ++x) {
            std::uint64_t sums[4] = {};
            for (const Tap& tap : rows[static_cast<std::size_t>(y)]) {
                const std::uint32_t* from =
                    across.data() + (static_cast<std::size_t>(tap.source - firstRow) * width + x) * 4;
                for (int channel = 0; channel < 4; ++channel)
                    sums[channel] += static_cast<std::uint64_t>(from[channel]) * tap.weight;
            }
            std::uint32_t pixel = 0;
            for (int channel = 0; channel < 4; ++channel) {
                const std::uint64_t value = (sums[channel] + (1u << (2 * weightBits - 1))) >> (2 * weightBits);
                pixel |= static_cast<std::uint32_t>(std::min<std::uint64_t>(value, 255)) << (8 * channel);
            }
            to[x] = pixel;
        }
    }
    return result;
}

// The source pixels the first `count` of `to` target pixels read, scaled from
// `from`: up to the last one the taps name.
int sourceNeeded(int from, int to, int count)
{
    int needed = 0;
    for (const std::vector<Tap>& taps : smoothTaps(from, to, count))
        for (const Tap& tap : taps)
            needed = std::max(needed, tap.source + 1);
    return needed;
}

PixelImage part(const PixelImage& image, int left, int top, int width, int height)
{
    PixelImage result(width, height);
    for (int y = 0; y < height; ++y)
        std::copy(image.row(top + y) + left, image.row(top + y) + left + width, result.row(y));
    return result;
}

}  // namespace

PixelImage::PixelImage(int width, int height, std::uint32_t fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill)
{
}

PixelImage::PixelImage(int width, int height, std::vector<std::uint32_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels))
{
    if (width_ <= 0 || height_ <= 0 || pixels_.size() != static_cast<std::size_t>(width_) * height_) {
        width_ = 0;
        height_ = 0;
        pixels_.clear();
    }
}

PixelImage scaledSharp(const PixelImage& source, int width, int height)
{
    if (source.empty() || width <= 0 || height <= 0)
        return PixelImage();
    return resampled(source, areaTaps(source.width(), width, width), areaTaps(source.height(), height, height));
}

PixelImage scaledSmooth(const PixelImage& source, Size pictureSize, Size scaled, Size visible)
{
    visible.width = std::min(visible.width, scaled.width);
    visible.height = std::min(visible.height, scaled.height);
    if (source.empty() || pictureSize.width <= 0 || pictureSize.height <= 0 || visible.width <= 0 ||
        visible.height <= 0)
        return PixelImage();
    const Size needed = smoothSourceNeeded(pictureSize, scaled, visible);
    if (source.width() < needed.width || source.height() < needed.height)
        return PixelImage();
    if (scaled.width == pictureSize.width && scaled.height == pictureSize.height)
        return part(source, 0, 0, visible.width, visible.height);
    return resampled(source, smoothTaps(pictureSize.width, scaled.width, visible.width),
                     smoothTaps(pictureSize.height, scaled.height, visible.height));
}

Size smoothSourceNeeded(Size pictureSize, Size scaled, Size visible)
{
    if (pictureSize.width <= 0 || pictureSize.height <= 0 || scaled.width <= 0 || scaled.height <= 0)
        return Size{};
    return Size{sourceNeeded(pictureSize.width, scaled.width, std::min(visible.width, scaled.width)),
                sourceNeeded(pictureSize.height, scaled.height, std::min(visible.height, scaled.height))};
}

PixelImage scaledTileStrip(const PixelImage& strip, int tileSize, int scaledTileSize)
{
    if (tileSize <= 0 || scaledTileSize <= 0 || strip.height() < tileSize)
        return PixelImage();
    const int tiles = strip.width() / tileSize;
    PixelImage result(tiles * scaledTileSize, scaledTileSize);
    for (int tile = 0; tile < tiles; ++tile) {
        const PixelImage scaled =
            scaledSharp(part(strip, tile * tileSize, 0, tileSize, tileSize), scaledTileSize, scaledTileSize);
        for (int y = 0; y < scaledTileSize; ++y)
            std::copy(scaled.row(y), scaled.row(y) + scaledTileSize, result.row(y) + tile * scaledTileSize);
    }
    return result;
}
