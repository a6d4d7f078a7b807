#include "shell/SettingsFileClaim.h"

#include <vector>

#include "win/FullPath.h"

namespace {

// How often a waiting copy looks for the holder's windows while it waits for
// the holder to end. Not a bound: it waits as long as the holder runs.
constexpr DWORD kLookEveryMs = 50;

constexpr std::uint64_t kClosing = std::uint64_t{1} << 32;

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

// Windows with a title bar: the main window, its dialogs and message boxes,
// not an open menu or a tooltip.
BOOL CALLBACK collectTitled(HWND window, LPARAM list)
{
    if (IsWindowVisible(window) && (GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

bool isDialog(HWND window)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpW(name, L"#32770") == 0;
}

// What the user of the holder can act on: an open box or dialog (the
// damaged-data message during the start, a name entry) before its main
// window, which is disabled meanwhile; else the main window, even when it is
// minimised and disabled along with the box it hides.
HWND frontWindowOf(DWORD thread)
{
    std::vector<HWND> titled;
    if (thread == 0 || !EnumThreadWindows(thread, collectTitled, reinterpret_cast<LPARAM>(&titled)))
        return nullptr;
    HWND enabled = nullptr;
    for (const HWND window : titled) {
        if (!IsWindowEnabled(window))
            continue;
        if (isDialog(window))
            return window;
        enabled = window;
    }
    return enabled != nullptr ? enabled : titled.empty() ? nullptr : titled.front();
}

// Restores a minimised window (or the minimised owner of a box) first.
void bringToFront(HWND window)
{
    const HWND owner = GetWindow(window, GW_OWNER);
    if (owner != nullptr && IsIconic(owner))
        ShowWindow(owner, SW_RESTORE);
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(window));
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
    owner_.reset(CreateMutexW(nullptr, FALSE, (name + L"-owner").c_str()));
    mapping_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG64),
                                      (name + L"-holder").c_str()));
    if (mapping_)
        shared_ = static_cast<volatile LONG64*>(MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, 0));
    if (!owner_ || shared_ == nullptr)
        return;  // no claim at all: this copy runs
    const DWORD taken = WaitForSingleObject(owner_.get(), 0);
    held_ = taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED;
    if (held_)
        publish(false);
}

SettingsFileClaim::~SettingsFileClaim()
{
    if (held_ && owner_)
        ReleaseMutex(owner_.get());
    if (shared_ != nullptr)
        UnmapViewOfFile(const_cast<LONG64*>(shared_));
}

bool SettingsFileClaim::waitForTurn()
{
    for (;;) {
        const DWORD waited = WaitForSingleObject(owner_.get(), kLookEveryMs);
        if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
            takeOver();
            return true;
        }
        if (waited == WAIT_FAILED)
            return true;  // as a claim not made: run
        if ((published() & kClosing) != 0)
            continue;
        const HWND front = frontWindowOf(static_cast<DWORD>(published()));
        if (front == nullptr)
            continue;  // still starting, with nothing to show yet
        bringToFront(front);
        // The holder may have begun to close meanwhile; then its window was
        // no place to hand over to.
        if ((published() & kClosing) == 0)
            return false;
    }
}

void SettingsFileClaim::takeOver()
{
    held_ = true;
    publish(false);
}

void SettingsFileClaim::announceClosing()
{
    if (held_ && shared_ != nullptr)
        publish(true);
}

// Published early, before the load, so that a box of the start can be found.
void SettingsFileClaim::publish(bool closing)
{
    const std::uint64_t value = GetCurrentThreadId() | (closing ? kClosing : 0);
    InterlockedExchange64(shared_, static_cast<LONG64>(value));
}

std::uint64_t SettingsFileClaim::published() const
{
    return static_cast<std::uint64_t>(InterlockedCompareExchange64(shared_, 0, 0));
}
