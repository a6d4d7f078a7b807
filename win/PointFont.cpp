#include "win/PointFont.h"

#include <cstdlib>

LONG screenFontHeight(int tenthsOfPoint)
{
    const WindowDcScope screen(nullptr);
    if (screen.get() == nullptr)
        return 0;
    // Through the DC's mapping rather than assuming pixels, so the height is
    // right whatever mapping mode the screen DC has.
    POINT points[2] = {{0, MulDiv(GetDeviceCaps(screen.get(), LOGPIXELSY), tenthsOfPoint, 720)}, {0, 0}};
    DPtoLP(screen.get(), points, 2);
    return -std::abs(points[0].y - points[1].y);
}

namespace {

UniqueFont createFontOfHeight(const wchar_t* face, LONG height)
{
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return UniqueFont(CreateFontIndirectW(&font));
}

}  // namespace

UniqueFont createPointFont(const wchar_t* face, int tenthsOfPoint)
{
    return createFontOfHeight(face, screenFontHeight(tenthsOfPoint));
}

UniqueFont createPointFont(const wchar_t* face, int tenthsOfPoint, int dpi)
{
    return createFontOfHeight(face, -MulDiv(dpi, tenthsOfPoint, 720));
}
