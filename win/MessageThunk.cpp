#include "win/MessageThunk.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

void MessageThunk::endProcess(UINT message, std::exception_ptr escaped) noexcept
{
    const char* what = "an exception of unknown type";
    try {
        std::rethrow_exception(escaped);
    } catch (const std::exception& error) {
        what = error.what();
    } catch (...) {
    }
    char report[512];
    std::snprintf(report, sizeof report,
                  "An exception escaped the handler of window message 0x%04X: %s. The process ends.\n", message, what);
    OutputDebugStringA(report);
    DWORD written = 0;
    const HANDLE standardError = GetStdHandle(STD_ERROR_HANDLE);
    if (standardError != nullptr && standardError != INVALID_HANDLE_VALUE)
        WriteFile(standardError, report, static_cast<DWORD>(std::strlen(report)), &written, nullptr);
    TerminateProcess(GetCurrentProcess(), escapedExceptionExitCode);
    // TerminateProcess does not return for the calling process.
    std::abort();
}
