#include "win/Timer.h"

#include <algorithm>
#include <atomic>

// The state the service's callback works on. The service may call back even
// after timeKillEvent has returned (an event it had already picked), and after
// the Timer is gone; so the callback reaches the Timer only when the event's
// id is the running timer's, which it never is once the Timer is stopped.
// Freed when its last reference goes: one for the Timer, and one for every
// timer of the service that may still call back, released once a
// synchronous kill of that timer has returned.
struct Timer::Events {
    explicit Events(Timer& owner) : owner(owner) {}

    void acquire() { ++references; }
    void release()
    {
        if (--references == 0)
            delete this;
    }

    Timer& owner;
    std::atomic<int> references{1};
    // The running timer's id, 0 when none runs. Written by start and stop on
    // the window thread, read by the callback on the timer thread.
    std::atomic<UINT> timerId{0};
    // Callbacks between their entry and their return. Counted before the id
    // is read, so that stopAndWait, which clears the id first and then reads
    // this count, cannot miss an event that will run OnTimer.
    std::atomic<int> underWay{0};
};

// What the thread that kills one timer of the service needs.
struct Timer::KillOrder {
    UINT timerId;
    Events* events;
};

bool Timer::startDetachedThread(LPTHREAD_START_ROUTINE routine, void* parameter)
{
    const HANDLE thread = CreateThread(nullptr, 0, routine, parameter, 0, nullptr);
    if (thread == nullptr)
        return false;
    CloseHandle(thread);
    return true;
}

Timer::Timer(ThreadStarter startThread) : startThread_(startThread), events_(new Events(*this))
{
    // A failure leaves both limits 0, and every start then asks for period 0,
    // which the service refuses: the timer never runs.
    timeGetDevCaps(&caps_, sizeof caps_);
}

Timer::~Timer()
{
    stopAndWait();
    events_->release();
}

UINT Timer::timerId() const
{
    return events_->timerId;
}

void Timer::start(UINT periodMs)
{
    killStoppedTimers();
    if (running())
        return;
    const UINT period = effectivePeriod(periodMs, caps_);
    // The service's reference, taken before its first event can come.
    events_->acquire();
    const UINT id = timeSetEvent(period, period, &Timer::timerCallback, reinterpret_cast<DWORD_PTR>(events_),
                                 TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
    if (id == 0) {
        events_->release();
        return;
    }
    events_->timerId = id;
}

void Timer::stop()
{
    // The id is cleared first, so that an event arriving meanwhile already
    // finds it stale and leaves OnTimer alone.
    const UINT id = events_->timerId.exchange(0);
    if (id != 0)
        unkilled_.push_back(id);
    killStoppedTimers();
}

void Timer::killStoppedTimers()
{
    // The kill is synchronous (TIME_KILL_SYNCHRONOUS): it waits for an event
    // under way, which may be waiting for this thread, so it never runs here.
    while (!unkilled_.empty()) {
        auto* order = new KillOrder{unkilled_.back(), events_};
        if (!startThread_(&Timer::killTimer, order)) {
            delete order;
            return;
        }
        unkilled_.pop_back();
    }
}

DWORD WINAPI Timer::killTimer(void* parameter)
{
    const KillOrder order = *static_cast<KillOrder*>(parameter);
    delete static_cast<KillOrder*>(parameter);
    // Synchronous: returns once no event of this timer runs or will run, so
    // the service's reference can go.
    timeKillEvent(order.timerId);
    order.events->release();
    return 0;
}

void Timer::stopAndWait()
{
    stop();
    // No event waits for this thread (the caller's promise), so the kills
    // that found no thread of their own may wait here.
    for (const UINT id : unkilled_) {
        timeKillEvent(id);
        events_->release();
    }
    unkilled_.clear();
    while (events_->underWay != 0)
        Sleep(1);
}

UINT Timer::effectivePeriod(UINT requested, const TIMECAPS& caps)
{
    return std::min(std::max(requested, caps.wPeriodMin), caps.wPeriodMax);
}

void CALLBACK Timer::timerCallback(UINT timerId, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR)
{
    Events& events = *reinterpret_cast<Events*>(user);
    ++events.underWay;
    if (timerId != 0 && timerId == events.timerId)
        events.owner.OnTimer();
    --events.underWay;
}
