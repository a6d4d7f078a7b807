// The main window's next-piece box as it shows at one moment: a new piece
// has entered the field once the box shows another one. This is how a test
// waits for the next piece from outside the program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

class NextPieceBox {
public:
    // The box as the window shows it now.
    explicit NextPieceBox(HWND mainWindow);

    // The box shows something else now; false while either look failed.
    bool changed() const;

private:
    std::vector<std::uint32_t> pixelsNow() const;

    HWND window_;
    std::vector<std::uint32_t> seen_;
};
