// The GDI+ flat functions and owned GDI+ objects. We use only the flat
// functions; the headers' C++ classes stay unused.
#pragma once

#include <windows.h>
// IStream, which WIN32_LEAN_AND_MEAN leaves out and the GDI+ headers need.
#include <objidl.h>

#include <algorithm>

// Microsoft's GDI+ headers call min and max unqualified, which NOMINMAX takes
// away as macros.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus

#include <gdiplus.h>

#include "win/Handles.h"

namespace gdip {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

using UniqueImage = UniqueAny<GpImage*, GdipDisposeImage>;
using UniqueBitmap = UniqueAny<GpBitmap*, GdipDisposeImage>;
using UniqueGraphics = UniqueAny<GpGraphics*, GdipDeleteGraphics>;
using UniqueFontFamily = UniqueAny<GpFontFamily*, GdipDeleteFontFamily>;
using UniqueFont = UniqueAny<GpFont*, GdipDeleteFont>;
using UniqueBrush = UniqueAny<GpBrush*, GdipDeleteBrush>;
using UniqueSolidFill = UniqueAny<GpSolidFill*, GdipDeleteBrush>;
using UniqueStringFormat = UniqueAny<GpStringFormat*, GdipDeleteStringFormat>;

}  // namespace gdip
