// How every test waits for something to happen (a window, a dialog, a paint,
// a file, a change another thread or process makes): the thread's messages
// are handled meanwhile, since its own windows and the modal loops it runs
// need them, and it wakes as soon as a message comes, or else every few
// milliseconds to look again, until the condition holds or the bound passes.
// Never a sleep for a time that happens to be enough.
#pragma once

#include <windows.h>

#include <functional>

// The bound of every wait that does not name its own.
constexpr DWORD waitLimitMs = 10000;

// Handles every message waiting in this thread's queue. A quit request is
// dropped: no loop of the program runs here for it to end.
void dispatchWaitingMessages();

// Handles this thread's messages for a stretch of time, for a test whose
// point is the time itself: a game played for a while, or a check that
// nothing happens meanwhile. Never a wait for something to happen.
void handleMessagesFor(DWORD milliseconds);

// True as soon as condition() holds; false if it still does not once limitMs
// have passed. handleMessages runs before each look at the condition.
bool waitUntil(const std::function<bool()>& condition, DWORD limitMs = waitLimitMs,
               const std::function<void()>& handleMessages = dispatchWaitingMessages);
