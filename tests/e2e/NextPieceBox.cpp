#include "tests/e2e/NextPieceBox.h"

#include "tests/e2e/Screenshot.h"

namespace {

// The box's four cells on the board of 248 x 352 pixels, scaled with the
// client area.
constexpr int kBoardWidth = 248;
constexpr int kBoxLeft = 176;
constexpr int kBoxTop = 16;
constexpr int kBoxSize = 64;

}  // namespace

NextPieceBox::NextPieceBox(HWND mainWindow) : window_(mainWindow), seen_(pixelsNow()) {}

bool NextPieceBox::changed() const
{
    const std::vector<std::uint32_t> now = pixelsNow();
    return !seen_.empty() && !now.empty() && now != seen_;
}

std::vector<std::uint32_t> NextPieceBox::pixelsNow() const
{
    const Capture capture = captureClientArea(window_);
    std::vector<std::uint32_t> pixels;
    if (capture.empty())
        return pixels;
    const auto scaled = [&](int boardPixels) { return boardPixels * capture.width / kBoardWidth; };
    for (int y = scaled(kBoxTop); y < scaled(kBoxTop + kBoxSize) && y < capture.height; ++y) {
        for (int x = scaled(kBoxLeft); x < scaled(kBoxLeft + kBoxSize) && x < capture.width; ++x)
            pixels.push_back(capture.pixels[static_cast<std::size_t>(y) * capture.width + x]);
    }
    return pixels;
}
