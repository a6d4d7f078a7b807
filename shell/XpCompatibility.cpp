// Windows XP has no GetTickCount64, but the posix-thread runtime of mingw-w64
// (winpthreads) imports it for its timed waits, and an exe that imports a
// missing function does not start at all. This file defines the import slot
// itself, so the linker takes it instead of kernel32's: the system's function
// where it exists, else GetTickCount with its wraps counted.
#if defined(__MINGW32__)

#include <windows.h>

#include <atomic>
#include <cstdint>

namespace {

using TickCount64 = ULONGLONG(WINAPI*)();

// GetTickCount wraps after 49.7 days; the high half counts the wraps. Callers
// ask often enough (every timed wait) for one wrap at a time to be seen.
ULONGLONG tickCountWithWraps()
{
    static std::atomic<std::uint64_t> last{0};
    std::uint64_t previous = last.load();
    for (;;) {
        const std::uint64_t low = GetTickCount();
        std::uint64_t now = (previous & 0xFFFFFFFF00000000ull) | low;
        if (now < previous)
            now += 0x100000000ull;
        if (last.compare_exchange_weak(previous, now))
            return now;
    }
}

ULONGLONG WINAPI tickCount64()
{
    static const TickCount64 system = reinterpret_cast<TickCount64>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTickCount64")));
    return system ? system() : tickCountWithWraps();
}

}  // namespace

#if defined(_WIN64)
extern "C" TickCount64 __imp_GetTickCount64;
TickCount64 __imp_GetTickCount64 = &tickCount64;
#else
extern "C" TickCount64 brixolGetTickCount64Slot __asm__("__imp__GetTickCount64@0");
TickCount64 brixolGetTickCount64Slot = &tickCount64;
#endif

#endif  // __MINGW32__
