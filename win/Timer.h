// A periodic timer of the multimedia timer service. OnTimer runs on the
// service's own thread, one event at a time.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <vector>

class Timer {
public:
    // Starts a thread that runs routine(parameter) and lets it go; false
    // when no thread could be started.
    using ThreadStarter = bool (*)(LPTHREAD_START_ROUTINE routine, void* parameter);
    // The starter of the program: CreateThread.
    static bool startDetachedThread(LPTHREAD_START_ROUTINE routine, void* parameter);

    // Reads the service's smallest and largest period; starts nothing.
    // startThread starts the threads that kill the service's timers (tests
    // put in one that fails).
    explicit Timer(ThreadStarter startThread = &Timer::startDetachedThread);
    // Stops the timer and waits for an event under way (see stopAndWait). A
    // derived class whose OnTimer uses its own state must call stopAndWait()
    // in its own destructor: by the time this one runs, the derived part is
    // gone.
    virtual ~Timer();

    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Starts a periodic timer of periodMs, kept within the service's limits.
    // Does nothing while a timer runs, so the running one keeps its phase.
    // If the service refuses, no timer runs and the next start tries again.
    void start(UINT periodMs);

    // Stops the timer without waiting for anything an event can hold up: an
    // event already inside OnTimer finishes, no new one starts. The
    // service's timer is killed on a thread of its own, since the kill waits
    // for an event under way, and that event may be waiting for the calling
    // thread. When no thread can be started, the service's timer is left to
    // call back (its events find their id stale and return at once) and its
    // kill is tried again at the next start or stop, and done in place by
    // stopAndWait. Must not be called from OnTimer.
    void stop();

    // Stops the timer and returns once no event is under way, so that what
    // OnTimer uses may be destroyed. Must not be called while an event may
    // be waiting for the calling thread (a repaint of its window).
    void stopAndWait();

    bool running() const { return timerId() != 0; }
    // The service's id of the running timer; 0 when none runs.
    UINT timerId() const;

    // The period start uses: requested, raised to the service's minimum, then
    // lowered to its maximum.
    static UINT effectivePeriod(UINT requested, const TIMECAPS& caps);

protected:
    // The work of one event, on the timer service's thread.
    virtual void OnTimer() = 0;

private:
    struct Events;
    struct KillOrder;

    static void CALLBACK timerCallback(UINT timerId, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR);
    static DWORD WINAPI killTimer(void* order);
    // Starts a kill thread for every stopped service timer still waiting for
    // one; those no thread could be started for keep waiting.
    void killStoppedTimers();

    ThreadStarter startThread_;
    TIMECAPS caps_{};
    // Service timers stopped whose kill thread could not be started yet.
    std::vector<UINT> unkilled_;
    // What the service's callback reaches instead of this object, with the
    // running timer's id: it lives until this object is gone and no timer of
    // it can call back any more.
    Events* events_;
};
