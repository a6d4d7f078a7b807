// A DIB section whose first row in memory is the top one, so that painting
// code may address its pixels as rows from the top.
#pragma once

#include <windows.h>

#include "win/Handles.h"

// A width x height DIB section of bitCount bits per pixel (24 or 32) for dc
// (null: the screen's); its pixels are at *bits. Empty when it cannot be made.
UniqueBitmap createTopDownDib(HDC dc, int width, int height, WORD bitCount, void** bits);
