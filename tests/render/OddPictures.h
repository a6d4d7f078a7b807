// Picture files built byte by byte, in the forms a user's folder may hold:
// BMP of every depth, run-length coded, with lying headers; PNG of 16 bits
// and interlaced; baseline, progressive and CMYK JPEG. Each picture is one
// colour, so a decoded pixel can be checked.
#pragma once

#include <cstdint>
#include <string>

struct BmpPicture {
    std::int32_t width = 4;
    std::int32_t height = 3;     // negative: rows from the top
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;  // BI_RGB
    std::uint32_t coloursUsed = 0;  // the header's field, whatever the palette holds
    int paletteEntries = 0;         // grey ramp entries actually written
    std::string masks;              // after the header, for BI_BITFIELDS
    std::string pixels;             // empty: rows of pixelByte, as many as the size needs
                                    // (give them for sizes a file cannot hold)
    unsigned char pixelByte = 0x80;
};

std::string bmpBytes(const BmpPicture& picture);
// Rows of run-length coded 8-bit pixels of one index, ended properly.
std::string rle8Pixels(int width, int height, unsigned char index);
// Four-bit runs, two pixels a byte.
std::string rle4Pixels(int width, int height, unsigned char indexes);

// A one-colour PNG; pixel holds one pixel's bytes in the colour type's
// layout and bit depth (8 or 16).
std::string pngBytes(int width, int height, int bitDepth, int colourType, const std::string& pixel,
                     bool interlaced);

// The PNG with the size in its header changed (and the header's CRC with it).
std::string pngClaiming(const std::string& png, std::uint32_t width, std::uint32_t height);

// A one-colour JPEG with only DC coefficients: components 1 (grey), 3
// (YCbCr) or 4 (CMYK, with an Adobe marker); baseline or progressive (a DC
// scan alone).
std::string jpegBytes(int width, int height, int components, const unsigned char* values, bool progressive);
