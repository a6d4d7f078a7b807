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

#include "shell/win/Handles.h"

namespace gdip {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

struct ImageTraits {
    using Handle = GpImage*;
    static void close(Handle image) { GdipDisposeImage(image); }
};
struct GraphicsTraits {
    using Handle = GpGraphics*;
    static void close(Handle graphics) { GdipDeleteGraphics(graphics); }
};
struct FontFamilyTraits {
    using Handle = GpFontFamily*;
    static void close(Handle family) { GdipDeleteFontFamily(family); }
};
struct FontTraits {
    using Handle = GpFont*;
    static void close(Handle font) { GdipDeleteFont(font); }
};
struct BrushTraits {
    using Handle = GpBrush*;
    static void close(Handle brush) { GdipDeleteBrush(brush); }
};
struct StringFormatTraits {
    using Handle = GpStringFormat*;
    static void close(Handle format) { GdipDeleteStringFormat(format); }
};

using UniqueImage = UniqueHandle<ImageTraits>;
using UniqueGraphics = UniqueHandle<GraphicsTraits>;
using UniqueFontFamily = UniqueHandle<FontFamilyTraits>;
using UniqueFont = UniqueHandle<FontTraits>;
using UniqueBrush = UniqueHandle<BrushTraits>;
using UniqueStringFormat = UniqueHandle<StringFormatTraits>;

}  // namespace gdip
