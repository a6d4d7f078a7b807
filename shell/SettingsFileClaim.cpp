#include "shell/SettingsFileClaim.h"

#include "win/FullPath.h"

namespace {

// 64-bit FNV-1a over the UTF-16 units: a name of fixed length for a path of
// any length.
std::uint64_t hashOf(const std::wstring& text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const wchar_t unit : text) {
        hash ^= static_cast<std::uint16_t>(unit);
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

std::wstring SettingsFileClaim::nameFor(const std::wstring& fullPath)
{
    // Windows' own case folding, as the file system compares names.
    std::wstring folded = fullPath;
    if (!folded.empty())
        CharUpperBuffW(&folded[0], static_cast<DWORD>(folded.size()));
    wchar_t hex[17] = {};
    const std::uint64_t hash = hashOf(folded);
    for (int i = 0; i < 16; ++i)
        hex[i] = L"0123456789abcdef"[(hash >> (60 - 4 * i)) & 0xF];
    return std::wstring(L"Local\\Brixol-") + hex;
}

SettingsFileClaim::SettingsFileClaim(const std::wstring& path)
{
    const std::wstring name = nameFor(fullPathOf(path));
    mapping_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(std::int64_t),
                                      name.c_str()));
    if (!mapping_)
        return;
    held_ = GetLastError() != ERROR_ALREADY_EXISTS;
    shared_ = static_cast<volatile std::int64_t*>(MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, 0));
}

SettingsFileClaim::~SettingsFileClaim()
{
    if (shared_ != nullptr)
        UnmapViewOfFile(const_cast<std::int64_t*>(shared_));
}

void SettingsFileClaim::publish(HWND window)
{
    if (shared_ != nullptr && held_)
        *shared_ = static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(window));
}

HWND SettingsFileClaim::holderWindow(DWORD timeoutMs) const
{
    if (shared_ == nullptr)
        return nullptr;
    // The holder may still be creating its window.
    const DWORD start = GetTickCount();
    for (;;) {
        const HWND window = reinterpret_cast<HWND>(static_cast<std::intptr_t>(*shared_));
        if (window != nullptr && IsWindow(window))
            return window;
        if (GetTickCount() - start >= timeoutMs)
            return nullptr;
        Sleep(20);
    }
}

void bringToFront(HWND window)
{
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}
