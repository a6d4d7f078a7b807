// What the version dialog tells about the program, in one place so that a
// release or a change of address touches only this file.
#pragma once

#include "BrixolVersion.h"

namespace about {

constexpr wchar_t versionLine[] = L"Brixol バージョン " BRIXOL_VERSION_WIDE;
// Short enough for one line of the dialog's text control at every DPI; the
// dialog text fit test measures it.
constexpr wchar_t makerLine[] = L"(C) 2026 Brixol Project";
// The maker's web page, shown as the link and opened by it.
constexpr wchar_t webAddress[] = L"https://www.example.com/brixol/";

}  // namespace about
