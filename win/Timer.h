// A periodic timer of the multimedia timer service. OnTimer runs on the
// service's own thread, one event at a time.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <atomic>

class Timer {
public:
    // Reads the service's smallest and largest period; starts nothing.
    Timer();
    // Stops the timer. A derived class whose OnTimer uses its own state
    // should call stop() in its own destructor: by the time this one runs,
    // the derived part is gone.
    virtual ~Timer();

    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Starts a periodic timer of periodMs, kept within the service's limits.
    // Does nothing while a timer runs, so the running one keeps its phase.
    // If the service refuses, no timer runs and the next start tries again.
    void start(UINT periodMs);

    // Kills the running timer. An event already inside OnTimer finishes; no
    // new one starts. Must not be called from OnTimer.
    void stop();

    // Stops the timer and returns once no event is under way, so that what
    // OnTimer uses may be destroyed. Must not be called while an event may
    // be waiting for the calling thread (a repaint of its window).
    void stopAndWait();

    bool running() const { return timerId_ != 0; }
    // The service's id of the running timer; 0 when none runs.
    UINT timerId() const { return timerId_; }

    // What the service's callback does: runs OnTimer if firingTimerId is the
    // running timer's, and otherwise nothing (the event of a timer that was
    // killed, or that comes before start has stored the new id).
    void dispatchEvent(UINT firingTimerId);

    // The period start uses: requested, raised to the service's minimum, then
    // lowered to its maximum.
    static UINT effectivePeriod(UINT requested, const TIMECAPS& caps);

protected:
    // The work of one event, on the timer service's thread.
    virtual void OnTimer() = 0;

private:
    static void CALLBACK timerCallback(UINT timerId, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR);

    TIMECAPS caps_{};
    // Written by start and stop on the window thread, read by the callback on
    // the timer thread.
    std::atomic<UINT> timerId_{0};
    // Callbacks between their entry and their return.
    std::atomic<int> eventsUnderWay_{0};
};
