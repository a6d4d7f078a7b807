// The full path of a file name, as the system resolves it against the
// current directory.
#pragma once

#include <string>

// path itself when the system cannot resolve it.
std::wstring fullPathOf(const std::wstring& path);
