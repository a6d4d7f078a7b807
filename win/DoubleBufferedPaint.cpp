#include "win/DoubleBufferedPaint.h"

#include "win/Handles.h"

LRESULT paintDoubleBuffered(HWND window, WPARAM wParam, const PaintCallback& paint)
{
    if (const auto printDc = reinterpret_cast<HDC>(wParam)) {
        RECT client{};
        if (GetClientRect(window, &client))
            paintBuffered(printDc, client, paint);
        return 0;
    }
    const PaintScope scope(window);
    if (scope.dc() != nullptr)
        paintBuffered(scope.dc(), scope.area(), paint);
    return 0;
}

void paintBuffered(HDC output, const RECT& area, const PaintCallback& paint)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;

    const UniqueDc memoryDc(CreateCompatibleDC(output));
    const UniqueBitmap buffer(memoryDc ? CreateCompatibleBitmap(output, width, height) : nullptr);
    if (!buffer) {
        // Better a flickering frame than none.
        paint(output, area);
        return;
    }
    const SelectionScope selection(memoryDc.get(), buffer.get());
    // The buffer's pixel (0, 0) is the area's top left in window coordinates.
    SetViewportOrgEx(memoryDc.get(), -area.left, -area.top, nullptr);
    paint(memoryDc.get(), area);
    SetViewportOrgEx(memoryDc.get(), 0, 0, nullptr);
    BitBlt(output, area.left, area.top, width, height, memoryDc.get(), 0, 0, SRCCOPY);
}

LRESULT paintDoubleBuffered(HWND window, WPARAM wParam, BackBuffer& buffer, const PaintCallback& paint)
{
    RECT client{};
    if (!GetClientRect(window, &client))
        return 0;
    const SIZE clientSize{client.right - client.left, client.bottom - client.top};
    if (const auto printDc = reinterpret_cast<HDC>(wParam)) {
        paintBuffered(printDc, client, clientSize, buffer, paint);
        return 0;
    }
    const PaintScope scope(window);
    if (scope.dc() != nullptr)
        paintBuffered(scope.dc(), scope.area(), clientSize, buffer, paint);
    return 0;
}

void paintBuffered(HDC output, const RECT& area, SIZE clientSize, BackBuffer& buffer, const PaintCallback& paint)
{
    RECT part{};
    const RECT client{0, 0, clientSize.cx, clientSize.cy};
    if (!IntersectRect(&part, &area, &client))
        return;
    const HDC memoryDc = buffer.prepare(output, clientSize.cx, clientSize.cy);
    if (memoryDc == nullptr) {
        paint(output, part);
        return;
    }
    paint(memoryDc, part);
    BitBlt(output, part.left, part.top, part.right - part.left, part.bottom - part.top, memoryDc, part.left,
           part.top, SRCCOPY);
}
