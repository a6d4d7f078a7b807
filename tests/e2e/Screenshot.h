// Pixels of the screen or of a window's client area, read back for checks
// and saved as BMP files when a case fails.
#pragma once

#include <windows.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool closeTo(const Rgb& other, int tolerance) const;
};

std::ostream& operator<<(std::ostream& out, const Rgb& color);

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // top-down rows of 0x00RRGGBB

    bool empty() const { return pixels.empty(); }
    Rgb at(int x, int y) const;
    bool operator==(const Capture& other) const
    {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
};

Capture captureScreen();
// The client area as the window's device context gives it.
Capture captureClientArea(HWND window);

// 24-bit bottom-up BMP.
bool saveBitmap(const Capture& capture, const std::wstring& path);

// The test program's build directory, where failure screenshots go.
std::wstring outputDirectory();
