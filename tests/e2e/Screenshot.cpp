#include "tests/e2e/Screenshot.h"

#include "win/Handles.h"

#include <cstdlib>

#include "tests/e2e/HostPath.h"

namespace {

Capture copyFrom(HDC source, int left, int top, int width, int height)
{
    Capture capture;
    if (source == nullptr || width <= 0 || height <= 0)
        return capture;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const UniqueBitmap bitmap(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UniqueDc memory(CreateCompatibleDC(source));
    if (!bitmap || !memory)
        return capture;
    const SelectionScope selection(memory.get(), bitmap.get());
    if (!BitBlt(memory.get(), 0, 0, width, height, source, left, top, SRCCOPY))
        return capture;
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    capture.width = width;
    capture.height = height;
    capture.pixels.assign(first, first + static_cast<std::size_t>(width) * height);
    for (std::uint32_t& pixel : capture.pixels)
        pixel &= 0x00FFFFFF;
    return capture;
}

void putLittleEndian(std::vector<unsigned char>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

bool Rgb::closeTo(const Rgb& other, int tolerance) const
{
    return std::abs(red - other.red) <= tolerance && std::abs(green - other.green) <= tolerance &&
           std::abs(blue - other.blue) <= tolerance;
}

std::ostream& operator<<(std::ostream& out, const Rgb& color)
{
    return out << "RGB(" << color.red << ", " << color.green << ", " << color.blue << ")";
}

Rgb Capture::at(int x, int y) const
{
    const std::uint32_t pixel = pixels[static_cast<std::size_t>(y) * width + x];
    return Rgb{static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
               static_cast<int>(pixel & 0xFF)};
}

Capture captureScreen()
{
    const WindowDcScope screen(nullptr);
    return copyFrom(screen.get(), 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

Capture captureClientArea(HWND window)
{
    RECT client{};
    if (!GetClientRect(window, &client))
        return Capture{};
    const WindowDcScope source(window);
    return copyFrom(source.get(), 0, 0, client.right - client.left, client.bottom - client.top);
}

bool saveBitmap(const Capture& capture, const std::wstring& path)
{
    if (capture.empty())
        return false;
    const std::uint32_t rowSize = (static_cast<std::uint32_t>(capture.width) * 3 + 3) & ~3u;
    const std::uint32_t imageSize = rowSize * static_cast<std::uint32_t>(capture.height);
    const std::uint32_t headersSize = 14 + 40;
    std::vector<unsigned char> out;
    out.reserve(headersSize + imageSize);
    out.push_back('B');
    out.push_back('M');
    putLittleEndian(out, headersSize + imageSize, 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, headersSize, 4);
    putLittleEndian(out, 40, 4);
    putLittleEndian(out, static_cast<std::uint32_t>(capture.width), 4);
    putLittleEndian(out, static_cast<std::uint32_t>(capture.height), 4);
    putLittleEndian(out, 1, 2);
    putLittleEndian(out, 24, 2);
    putLittleEndian(out, BI_RGB, 4);
    putLittleEndian(out, imageSize, 4);
    putLittleEndian(out, 2835, 4);  // 72 dots per inch
    putLittleEndian(out, 2835, 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, 0, 4);
    for (int y = capture.height - 1; y >= 0; --y) {
        for (int x = 0; x < capture.width; ++x) {
            const Rgb color = capture.at(x, y);
            out.push_back(static_cast<unsigned char>(color.blue));
            out.push_back(static_cast<unsigned char>(color.green));
            out.push_back(static_cast<unsigned char>(color.red));
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(capture.width) * 3; pad < rowSize; ++pad)
            out.push_back(0);
    }
    const UniqueFile file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    const BOOL wrote = WriteFile(file.get(), out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
    return wrote && written == out.size();
}

std::wstring outputDirectory()
{
#ifdef BRIXOL_E2E_OUTPUT_DIR
    const std::wstring path = windowsPathOf(BRIXOL_E2E_OUTPUT_DIR);
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return path;
#endif
    // Otherwise the directory the test program was started in.
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, buffer);
    return std::wstring(buffer, length < MAX_PATH ? length : 0);
}
