// Dialog fonts given in points, converted for the screen, shared by the
// dialogs that set their own fonts on controls.
#pragma once

#include <windows.h>

#include "win/Handles.h"

// The fixed-pitch Japanese face of the dialogs' tables and texts.
constexpr wchar_t fixedPitchJapaneseFace[] = L"ＭＳ ゴシック";

// The height of a font of tenthsOfPoint for the screen, in the screen DC's
// logical units, as a negative number: a character height, not a cell
// height. 0 (the font mapper's default) when the screen DC is unavailable.
LONG screenFontHeight(int tenthsOfPoint);

// A font of that face and size for the screen, with DEFAULT_CHARSET and every
// other attribute zero (default weight, no italic, underline or strike-out).
// A face name beyond 31 characters is cut. Empty when it cannot be created.
UniqueFont createPointFont(const wchar_t* face, int tenthsOfPoint);
// The same for a window shown at dpi, which on a per-monitor aware system
// may differ from the screen's: -MulDiv(dpi, tenthsOfPoint, 720) pixels.
UniqueFont createPointFont(const wchar_t* face, int tenthsOfPoint, int dpi);
