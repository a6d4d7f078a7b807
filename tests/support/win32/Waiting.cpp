#include "tests/support/win32/Waiting.h"

#include <algorithm>

namespace {

// How often a condition that no message announces is looked at again.
constexpr DWORD kLookAgainMs = 10;

}  // namespace

void dispatchWaitingMessages()
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool waitUntil(const std::function<bool()>& condition, DWORD limitMs, const std::function<void()>& handleMessages)
{
    // GetTickCount wraps after 49 days; the unsigned difference does not care.
    const DWORD start = GetTickCount();
    for (;;) {
        handleMessages();
        if (condition())
            return true;
        const DWORD waited = GetTickCount() - start;
        if (waited >= limitMs)
            return false;
        // Also wakes for messages already seen but still queued, and for
        // messages sent from other threads, which only a look at the queue
        // delivers.
        MsgWaitForMultipleObjectsEx(0, nullptr, std::min(kLookAgainMs, limitMs - waited), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
}

void handleMessagesFor(DWORD milliseconds)
{
    waitUntil([] { return false; }, milliseconds);
}
