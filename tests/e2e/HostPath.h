// Paths that CMake hands over as the build host sees them. Under wine a Unix
// path "/a/b" is reached as "Z:\a\b"; on Windows only the slashes change.
#pragma once

#include <windows.h>

#include <string>

inline std::wstring windowsPathOf(const char* hostPath)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, hostPath, -1, nullptr, 0);
    std::wstring path(static_cast<std::size_t>(size > 0 ? size - 1 : 0), L'\0');
    if (size > 1)
        MultiByteToWideChar(CP_UTF8, 0, hostPath, -1, &path[0], size);
    if (!path.empty() && path[0] == L'/')
        path = L"Z:" + path;
    for (wchar_t& c : path) {
        if (c == L'/')
            c = L'\\';
    }
    return path;
}
