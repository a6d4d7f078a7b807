// A memory DC drawing into a 32-bit DIB section whose pixels the tests read
// back, and synthetic 24-bit bitmaps to draw from.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <ostream>

#include "win/Handles.h"

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const Rgb& other) const
    {
        return red == other.red && green == other.green && blue == other.blue;
    }
    bool closeTo(const Rgb& other, int tolerance) const
    {
        return std::abs(red - other.red) <= tolerance && std::abs(green - other.green) <= tolerance &&
               std::abs(blue - other.blue) <= tolerance;
    }
    COLORREF colorRef() const { return RGB(red, green, blue); }
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& color)
{
    return out << "RGB(" << color.red << ", " << color.green << ", " << color.blue << ")";
}

inline Rgb rgbOf(COLORREF color) { return Rgb{GetRValue(color), GetGValue(color), GetBValue(color)}; }

inline UniqueBitmap createTopDownDib(int width, int height, WORD bitsPerPixel, void** bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    return UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

// A 24-bit DIB section (like the program's images) painted by colorAt(x, y).
template <class ColorAt>
UniqueBitmap makeBitmap(int width, int height, ColorAt colorAt)
{
    void* bits = nullptr;
    UniqueBitmap bitmap = createTopDownDib(width, height, 24, &bits);
    const int stride = (width * 3 + 3) & ~3;
    for (int y = 0; y < height && bitmap; ++y) {
        auto* row = static_cast<std::uint8_t*>(bits) + y * stride;
        for (int x = 0; x < width; ++x) {
            const Rgb color = colorAt(x, y);
            row[3 * x] = static_cast<std::uint8_t>(color.blue);
            row[3 * x + 1] = static_cast<std::uint8_t>(color.green);
            row[3 * x + 2] = static_cast<std::uint8_t>(color.red);
        }
    }
    return bitmap;
}

// The colour of one pixel of any bitmap.
inline Rgb pixelOf(HBITMAP bitmap, int x, int y)
{
    const UniqueDc dc(CreateCompatibleDC(nullptr));
    const SelectionScope selection(dc.get(), bitmap);
    return rgbOf(GetPixel(dc.get(), x, y));
}

class PixelCanvas {
public:
    PixelCanvas(int width, int height, Rgb background = Rgb{255, 255, 255})
        : width_(width),
          height_(height),
          dc_(CreateCompatibleDC(nullptr)),
          bitmap_(createTopDownDib(width, height, 32, &bits_)),
          selection_(dc_.get(), bitmap_.get())
    {
        fill(background);
    }

    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    bool ready() const { return selection_.selected(); }

    void fill(Rgb color)
    {
        const UniqueBrush brush(CreateSolidBrush(color.colorRef()));
        const RECT all{0, 0, width_, height_};
        FillRect(dc_.get(), &all, brush.get());
    }

    Rgb pixel(int x, int y) const
    {
        GdiFlush();  // GDI may still hold drawing back
        const std::uint32_t value = static_cast<const std::uint32_t*>(bits_)[y * width_ + x];
        return Rgb{static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                   static_cast<int>(value & 0xFF)};
    }

private:
    int width_;
    int height_;
    void* bits_ = nullptr;  // before bitmap_: set while it is made
    UniqueDc dc_;
    UniqueBitmap bitmap_;
    SelectionScope selection_;
};
