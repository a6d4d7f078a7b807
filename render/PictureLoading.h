// Pictures as DIB sections: decoded from files with GDI+, loaded from the
// program's bitmap resources, or made blank.
#pragma once

#include <windows.h>

#include "win/Handles.h"

// Decodes a BMP, JPEG or PNG file, recognised by its content whatever its
// name, into a 24-bit top-down DIB section of the picture's own size. Empty if
// the file is missing or cannot be decoded, or GDI+ cannot be started, and at
// once if its header claims a size beyond the bounds or beyond what the file
// holds (see PictureBounds.h).
UniqueBitmap loadPictureFile(const wchar_t* path);

// A bitmap resource at its own size as a DIB section, from module (the
// program's own by default). Empty if there is no such resource.
UniqueBitmap loadBitmapResource(int resourceId, HINSTANCE module = nullptr);

// A 24-bit top-down DIB section with every byte of every row set to value
// (0xFF: white). Empty on failure.
UniqueBitmap createFilledBitmap(int width, int height, BYTE value);

// The bitmap's width and height; 0 x 0 for null or a failed query.
SIZE bitmapSize(HBITMAP bitmap);
