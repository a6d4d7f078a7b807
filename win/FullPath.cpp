#include "win/FullPath.h"

#include <windows.h>

std::wstring fullPathOf(const std::wstring& path)
{
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return path;
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), length, &full[0], nullptr);
    if (written == 0 || written >= length)
        return path;
    full.resize(written);
    return full;
}
