// What the version dialog tells about the program, in one place so that a
// release or a change of address touches only this file.
#pragma once

#include "BrixolVersion.h"

namespace about {

constexpr wchar_t versionLine[] = L"Brixol バージョン " BRIXOL_VERSION_WIDE;
constexpr wchar_t makerLine[] = L"Copyright (C) 2026 Brixol Project";
// The maker's web page, shown as the link and opened by it.
constexpr wchar_t webAddress[] = L"https://www.example.com/brixol/";

}  // namespace about
