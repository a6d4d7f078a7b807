// Picture files written by tests: BMP byte by byte, PNG by GDI+ itself.
#pragma once

#include <string>

#include "tests/support/win32/PixelCanvas.h"

// A picture is one colour with a different top row, so that a picture
// turned upside down shows.
struct PictureFile {
    int width;
    int height;
    Rgb topRow;
    Rgb rest;

    Rgb colorAt(int, int y) const { return y == 0 ? topRow : rest; }
};

void writeBytes(const std::wstring& path, const std::string& bytes);

// A 24-bit bottom-up BMP file.
void writeBmp(const std::wstring& path, const PictureFile& picture);

// A PNG file; fails the test if GDI+ cannot write it.
void writePng(const std::wstring& path, const PictureFile& picture);
