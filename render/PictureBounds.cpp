#include "render/PictureBounds.h"

namespace {

unsigned byteOf(const std::string& bytes, std::size_t at)
{
    return static_cast<unsigned char>(bytes[at]);
}

std::uint32_t littleEndian16(const std::string& bytes, std::size_t at)
{
    return byteOf(bytes, at) | (byteOf(bytes, at + 1) << 8);
}

std::uint32_t littleEndian32(const std::string& bytes, std::size_t at)
{
    return littleEndian16(bytes, at) | (littleEndian16(bytes, at + 2) << 16);
}

std::uint32_t bigEndian16(const std::string& bytes, std::size_t at)
{
    return (byteOf(bytes, at) << 8) | byteOf(bytes, at + 1);
}

std::uint32_t bigEndian32(const std::string& bytes, std::size_t at)
{
    return (bigEndian16(bytes, at) << 16) | bigEndian16(bytes, at + 2);
}

bool startsWith(const std::string& bytes, const char* prefix, std::size_t length)
{
    return bytes.size() >= length && bytes.compare(0, length, prefix, length) == 0;
}

// Depths the format defines for each kind of BMP; others are damage, and
// the decoder need not see them.
bool depthFitsCompression(std::uint32_t bitsPerPixel, std::uint32_t compression)
{
    switch (compression) {
    case 0:  // uncompressed
        return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 16 ||
               bitsPerPixel == 24 || bitsPerPixel == 32;
    case 1:  // RLE8
        return bitsPerPixel == 8;
    case 2:  // RLE4
        return bitsPerPixel == 4;
    case 3:  // bit fields
    case 6:  // bit fields with alpha
        return bitsPerPixel == 16 || bitsPerPixel == 32;
    default:  // JPEG or PNG inside, or unknown: the decoder decides
        return true;
    }
}

// BMP: the file header, then a core (12-byte) or an info (40 or more)
// header. Uncompressed rows must all be in the file; run-length coded ones
// can describe any size in a few bytes, so only the bounds apply to them.
bool bmpWithinBounds(const std::string& head, std::uint64_t fileSize)
{
    if (head.size() < 26)
        return false;
    const std::uint64_t pixelOffset = littleEndian32(head, 10);
    const std::uint32_t headerSize = littleEndian32(head, 14);
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    if (headerSize == 12) {
        width = littleEndian16(head, 18);
        height = littleEndian16(head, 20);
        bitsPerPixel = littleEndian16(head, 24);
    } else if (headerSize >= 40 && head.size() >= 34) {
        width = static_cast<std::int32_t>(littleEndian32(head, 18));
        height = static_cast<std::int32_t>(littleEndian32(head, 22));  // negative: rows from the top
        bitsPerPixel = littleEndian16(head, 28);
        compression = littleEndian32(head, 30);
    } else {
        return false;
    }
    if (height < 0)
        height = -height;
    if (!pictureSizeWithinBounds(width, height) || !depthFitsCompression(bitsPerPixel, compression))
        return false;
    const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
    if (!uncompressed)
        return true;
    const std::int64_t rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    return bitsPerPixel > 0 && pixelOffset <= fileSize &&
           static_cast<std::uint64_t>(rowBytes * height) <= fileSize - pixelOffset;
}

// PNG: the size is in the first chunk. Deflate packs at most 1032 bytes into
// one, which bounds the rows the file can hold.
bool pngWithinBounds(const std::string& head, std::uint64_t fileSize)
{
    if (head.size() < 26 || head.compare(12, 4, "IHDR") != 0)
        return false;
    const std::int64_t width = bigEndian32(head, 16);
    const std::int64_t height = bigEndian32(head, 20);
    const std::int64_t bitDepth = byteOf(head, 24);
    static const int channelsOfColourType[] = {1, 0, 3, 1, 2, 0, 4};
    const unsigned colourType = byteOf(head, 25);
    const int channels = colourType < 7 ? channelsOfColourType[colourType] : 0;
    if (channels == 0 || bitDepth == 0 || bitDepth > 16 || !pictureSizeWithinBounds(width, height))
        return false;
    const std::int64_t rawBytes = ((width * channels * bitDepth + 7) / 8 + 1) * height;
    constexpr std::int64_t kMaxDeflateRatio = 1032;
    return static_cast<std::uint64_t>(rawBytes / kMaxDeflateRatio) <= fileSize;
}

bool isStartOfFrame(unsigned marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// JPEG: markers with their lengths up to the start of frame, which holds the
// size; the walk is bounded by the file and by a number of segments.
bool jpegWithinBounds(const PictureBytesAt& bytesAt, std::uint64_t fileSize)
{
    constexpr int kMaxSegments = 4096;
    std::uint64_t at = 2;
    for (int segment = 0; segment < kMaxSegments && at + 4 <= fileSize; ++segment) {
        const std::string marker = bytesAt(at, 9);
        if (marker.size() < 4 || byteOf(marker, 0) != 0xFF)
            return false;
        const unsigned kind = byteOf(marker, 1);
        if (kind == 0xFF) {
            at += 1;  // fill byte
            continue;
        }
        if (kind == 0x01 || (kind >= 0xD0 && kind <= 0xD7)) {
            at += 2;  // no length
            continue;
        }
        if (kind == 0xD9 || kind == 0xDA)
            return false;  // image data before any frame header
        const std::uint32_t length = bigEndian16(marker, 2);
        if (length < 2)
            return false;
        if (isStartOfFrame(kind)) {
            return marker.size() >= 9 && length >= 8 &&
                   pictureSizeWithinBounds(bigEndian16(marker, 7), bigEndian16(marker, 5));
        }
        at += 2 + length;
    }
    return false;
}

}  // namespace

bool pictureSizeWithinBounds(std::int64_t width, std::int64_t height)
{
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height * 4 <= kMaxPictureBytes;
}

bool pictureHeaderWithinBounds(const PictureBytesAt& bytesAt, std::uint64_t fileSize)
{
    const std::string head = bytesAt(0, 64);
    if (startsWith(head, "BM", 2))
        return bmpWithinBounds(head, fileSize);
    if (startsWith(head, "\x89PNG\r\n\x1A\n", 8))
        return pngWithinBounds(head, fileSize);
    if (startsWith(head, "\xFF\xD8", 2))
        return jpegWithinBounds(bytesAt, fileSize);
    return false;  // formats beyond these three are not taken
}
