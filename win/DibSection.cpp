#include "win/DibSection.h"

UniqueBitmap createTopDownDib(HDC dc, int width, int height, WORD bitCount, void** bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: the first row is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    return UniqueBitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}
