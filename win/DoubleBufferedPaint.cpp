#include "win/DoubleBufferedPaint.h"

#include "win/Handles.h"

namespace {

// A BeginPaint DC clips to the update region (within what is visible): the
// whole client area only when that clip is one rectangle that covers it.
PaintCoverage coverageOf(HDC paintDc, const RECT& client)
{
    RECT clip{};
    return GetClipBox(paintDc, &clip) == SIMPLEREGION && EqualRect(&clip, &client) ? PaintCoverage::WholeClient
                                                                                   : PaintCoverage::PartOfClient;
}

}  // namespace

LRESULT paintDoubleBuffered(HWND window, WPARAM wParam, BackBuffer& buffer, const PaintCallback& paint)
{
    RECT client{};
    if (!GetClientRect(window, &client))
        return 0;
    const SIZE clientSize{client.right - client.left, client.bottom - client.top};
    if (const auto printDc = reinterpret_cast<HDC>(wParam)) {
        paintBuffered(printDc, client, clientSize, buffer, PaintCoverage::PartOfClient, paint);
        return 0;
    }
    const PaintScope scope(window);
    if (scope.dc() != nullptr)
        paintBuffered(scope.dc(), scope.area(), clientSize, buffer, coverageOf(scope.dc(), client), paint);
    return 0;
}

void paintBuffered(HDC output, const RECT& area, SIZE clientSize, BackBuffer& buffer, PaintCoverage coverage,
                   const PaintCallback& paint)
{
    RECT part{};
    const RECT client{0, 0, clientSize.cx, clientSize.cy};
    if (!IntersectRect(&part, &area, &client))
        return;
    const HDC memoryDc = buffer.prepare(output, clientSize.cx, clientSize.cy);
    if (memoryDc == nullptr) {
        paint(output, part, coverage);
        return;
    }
    paint(memoryDc, part, coverage);
    BitBlt(output, part.left, part.top, part.right - part.left, part.bottom - part.top, memoryDc, part.left,
           part.top, SRCCOPY);
}
