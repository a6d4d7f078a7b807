// What a picture file's header must show before the decoder is given it: a
// BMP, PNG or JPEG picture of a sane size that its file can hold. A header
// that lies about its size would otherwise make the decoder take gigabytes
// and seconds before the first paint. Free of platform calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// Longest side, and the memory of the decoded picture at 32 bits a pixel.
constexpr std::int64_t kMaxPictureSide = 16384;
constexpr std::int64_t kMaxPictureBytes = 64LL * 1024 * 1024;

// Up to count bytes of the file from offset; fewer at its end or on failure.
using PictureBytesAt = std::function<std::string(std::uint64_t offset, std::size_t count)>;

// Whether a picture of that size is within the bounds.
bool pictureSizeWithinBounds(std::int64_t width, std::int64_t height);

// Whether the file is a BMP, PNG or JPEG picture whose header names a size
// within the bounds and, as far as the format tells, one the file can hold.
bool pictureHeaderWithinBounds(const PictureBytesAt& bytesAt, std::uint64_t fileSize);
