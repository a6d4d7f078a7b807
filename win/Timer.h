// A periodic timer of the multimedia timer service. OnTimer runs on the
// service's own thread, one event at a time.
#pragma once

#include <windows.h>
#include <mmsystem.h>

class Timer {
public:
    // Reads the service's smallest and largest period; starts nothing.
    Timer();
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

    // Stops the timer without waiting: an event already inside OnTimer
    // finishes, no new one starts. The service's timer itself is killed on a
    // thread of its own, since the kill waits for an event under way, and
    // that event may be waiting for the calling thread. Must not be called
    // from OnTimer.
    void stop();

    // Stops the timer and returns once no event is under way, so that what
    // OnTimer uses may be destroyed. Must not be called while an event may
    // be waiting for the calling thread (a repaint of its window).
    void stopAndWait();

    bool running() const { return timerId() != 0; }
    // The service's id of the running timer; 0 when none runs.
    UINT timerId() const;

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
    struct Events;
    struct KillOrder;

    static void CALLBACK timerCallback(UINT timerId, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR);
    static DWORD WINAPI killTimer(void* order);

    TIMECAPS caps_{};
    // What the service's callback reaches instead of this object, with the
    // running timer's id: it lives until this object is gone and no timer of
    // it can call back any more.
    Events* events_;
};
