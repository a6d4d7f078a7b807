#include "OddPictures.h"

#include <algorithm>
#include <vector>

namespace {

void put16le(std::string& bytes, std::uint32_t value)
{
    bytes.push_back(static_cast<char>(value & 0xFF));
    bytes.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void put32le(std::string& bytes, std::uint32_t value)
{
    put16le(bytes, value & 0xFFFF);
    put16le(bytes, value >> 16);
}

void put16be(std::string& bytes, std::uint32_t value)
{
    bytes.push_back(static_cast<char>((value >> 8) & 0xFF));
    bytes.push_back(static_cast<char>(value & 0xFF));
}

void put32be(std::string& bytes, std::uint32_t value)
{
    put16be(bytes, value >> 16);
    put16be(bytes, value & 0xFFFF);
}

std::uint32_t crc32(const std::string& bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) != 0 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

std::uint32_t adler32(const std::string& bytes)
{
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const char c : bytes) {
        a = (a + static_cast<unsigned char>(c)) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::string zlibStored(const std::string& data)
{
    std::string stream = "\x78\x01";
    std::size_t at = 0;
    do {
        const std::size_t length = std::min<std::size_t>(65535, data.size() - at);
        const bool last = at + length == data.size();
        stream.push_back(last ? 1 : 0);
        put16le(stream, static_cast<std::uint32_t>(length));
        put16le(stream, static_cast<std::uint32_t>(~length & 0xFFFF));
        stream += data.substr(at, length);
        at += length;
    } while (at < data.size());
    put32be(stream, adler32(data));
    return stream;
}

std::string pngChunk(const char* type, const std::string& data)
{
    std::string chunk;
    put32be(chunk, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    chunk += typed;
    put32be(chunk, crc32(typed));
    return chunk;
}

std::string repeated(const std::string& unit, int count)
{
    std::string bytes;
    for (int n = 0; n < count; ++n)
        bytes += unit;
    return bytes;
}

// Rows with filter type 0, in the seven Adam7 passes when interlaced.
std::string pngRows(int width, int height, const std::string& pixel, bool interlaced)
{
    struct Pass {
        int x, y, dx, dy;
    };
    const Pass whole[] = {{0, 0, 1, 1}};
    const Pass adam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                          {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    std::string rows;
    for (const Pass& pass : interlaced ? std::vector<Pass>(adam7, adam7 + 7) : std::vector<Pass>(whole, whole + 1)) {
        const int columns = width > pass.x ? (width - pass.x + pass.dx - 1) / pass.dx : 0;
        if (columns == 0)
            continue;
        for (int y = pass.y; y < height; y += pass.dy)
            rows += '\0' + repeated(pixel, columns);
    }
    return rows;
}

// Bits written most significant first, with a zero byte after every 0xFF.
class BitWriter {
public:
    void put(std::uint32_t value, int count)
    {
        for (int bit = count - 1; bit >= 0; --bit) {
            current_ = static_cast<unsigned char>((current_ << 1) | ((value >> bit) & 1));
            if (++filled_ == 8)
                flush();
        }
    }
    std::string finish()
    {
        while (filled_ != 0)
            put(1, 1);
        return bytes_;
    }

private:
    void flush()
    {
        bytes_.push_back(static_cast<char>(current_));
        if (current_ == 0xFF)
            bytes_.push_back('\0');
        current_ = 0;
        filled_ = 0;
    }

    std::string bytes_;
    unsigned char current_ = 0;
    int filled_ = 0;
};

int bitsOf(int magnitude)
{
    int bits = 0;
    for (; magnitude > 0; magnitude >>= 1)
        ++bits;
    return bits;
}

std::string jpegSegment(unsigned marker, const std::string& body)
{
    std::string segment = "\xFF";
    segment.push_back(static_cast<char>(marker));
    put16be(segment, static_cast<std::uint32_t>(body.size() + 2));
    return segment + body;
}

// DC table: categories 0 to 11, each a 4-bit code equal to the category.
// AC table: the end of block alone, code "0".
std::string jpegHuffmanTables(bool withAc)
{
    std::string dc = std::string(1, '\x00') + std::string(3, '\0') + std::string(1, '\x0C') + std::string(12, '\0');
    for (int category = 0; category < 12; ++category)
        dc.push_back(static_cast<char>(category));
    std::string ac = std::string(1, '\x10') + std::string(1, '\x01') + std::string(15, '\0') + std::string(1, '\0');
    return jpegSegment(0xC4, withAc ? dc + ac : dc);
}

}  // namespace

std::string bmpBytes(const BmpPicture& picture)
{
    const std::int64_t height = picture.height < 0 ? -static_cast<std::int64_t>(picture.height) : picture.height;
    std::string pixels = picture.pixels;
    if (pixels.empty() && picture.compression == 0) {
        const std::int64_t rowBytes =
            (static_cast<std::int64_t>(picture.width) * picture.bitsPerPixel + 31) / 32 * 4;
        pixels.assign(static_cast<std::size_t>(rowBytes * height), static_cast<char>(picture.pixelByte));
    }
    std::string palette;
    for (int entry = 0; entry < picture.paletteEntries; ++entry) {
        const auto grey = static_cast<char>(entry * 255 / (picture.paletteEntries > 1 ? picture.paletteEntries - 1 : 1));
        palette += {grey, grey, grey, '\0'};
    }
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(picture.masks.size() + palette.size());
    std::string bytes = "BM";
    put32le(bytes, offset + static_cast<std::uint32_t>(pixels.size()));
    put32le(bytes, 0);
    put32le(bytes, offset);
    put32le(bytes, 40);
    put32le(bytes, static_cast<std::uint32_t>(picture.width));
    put32le(bytes, static_cast<std::uint32_t>(picture.height));
    put16le(bytes, 1);
    put16le(bytes, picture.bitsPerPixel);
    put32le(bytes, picture.compression);
    put32le(bytes, static_cast<std::uint32_t>(pixels.size()));
    put32le(bytes, 2835);
    put32le(bytes, 2835);
    put32le(bytes, picture.coloursUsed);
    put32le(bytes, 0);
    return bytes + picture.masks + palette + pixels;
}

std::string rle8Pixels(int width, int height, unsigned char index)
{
    std::string pixels;
    for (int y = 0; y < height; ++y) {
        for (int left = width; left > 0; left -= 255) {
            pixels.push_back(static_cast<char>(left < 255 ? left : 255));
            pixels.push_back(static_cast<char>(index));
        }
        pixels += std::string("\0\0", 2);  // end of line
    }
    return pixels + std::string("\0\1", 2);  // end of bitmap
}

std::string rle4Pixels(int width, int height, unsigned char indexes)
{
    return rle8Pixels(width, height, indexes);  // the same run layout, two pixels a byte
}

std::string pngBytes(int width, int height, int bitDepth, int colourType, const std::string& pixel, bool interlaced)
{
    std::string header;
    put32be(header, static_cast<std::uint32_t>(width));
    put32be(header, static_cast<std::uint32_t>(height));
    header += {static_cast<char>(bitDepth), static_cast<char>(colourType), '\0', '\0',
               static_cast<char>(interlaced ? 1 : 0)};
    return std::string("\x89PNG\r\n\x1A\n", 8) + pngChunk("IHDR", header) +
           pngChunk("IDAT", zlibStored(pngRows(width, height, pixel, interlaced))) + pngChunk("IEND", "");
}

std::string pngClaiming(const std::string& png, std::uint32_t width, std::uint32_t height)
{
    if (png.size() < 33)
        return png;
    std::string header;
    put32be(header, width);
    put32be(header, height);
    std::string changed = png.substr(0, 16) + header + png.substr(24);
    std::string crc;
    put32be(crc, crc32(changed.substr(12, 17)));
    return changed.replace(29, 4, crc);
}

std::string jpegBytes(int width, int height, int components, const unsigned char* values, bool progressive)
{
    std::string bytes = "\xFF\xD8";
    if (components == 4)  // Adobe, version 100, no flags, no colour transform: CMYK
        bytes += jpegSegment(0xEE, std::string("Adobe\0\x64\0\0\0\0\0", 12));
    bytes += jpegSegment(0xDB, std::string(1, '\0') + std::string(64, '\x01'));
    std::string frame = "\x08";
    put16be(frame, static_cast<std::uint32_t>(height));
    put16be(frame, static_cast<std::uint32_t>(width));
    frame.push_back(static_cast<char>(components));
    for (int c = 0; c < components; ++c)
        frame += {static_cast<char>(c + 1), '\x11', '\0'};
    bytes += jpegSegment(progressive ? 0xC2 : 0xC0, frame);
    bytes += jpegHuffmanTables(!progressive);
    std::string scan(1, static_cast<char>(components));
    for (int c = 0; c < components; ++c)
        scan += {static_cast<char>(c + 1), '\0'};
    scan += progressive ? std::string("\0\0\0", 3) : std::string("\0\x3F\0", 3);
    bytes += jpegSegment(0xDA, scan);

    // A block of one sample value v has the single coefficient 8 (v - 128)
    // with a quantisation of 1; every block after the first repeats it.
    BitWriter bits;
    std::vector<int> predicted(static_cast<std::size_t>(components), 0);
    const int blocks = ((width + 7) / 8) * ((height + 7) / 8);
    for (int block = 0; block < blocks; ++block) {
        for (int c = 0; c < components; ++c) {
            const int dc = 8 * (values[c] - 128);
            const int difference = dc - predicted[static_cast<std::size_t>(c)];
            predicted[static_cast<std::size_t>(c)] = dc;
            const int category = bitsOf(difference < 0 ? -difference : difference);
            bits.put(static_cast<std::uint32_t>(category), 4);
            if (category > 0)
                bits.put(static_cast<std::uint32_t>(difference > 0 ? difference : difference + (1 << category) - 1),
                         category);
            if (!progressive)
                bits.put(0, 1);  // end of block
        }
    }
    return bytes + bits.finish() + "\xFF\xD9";
}
