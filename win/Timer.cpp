#include "win/Timer.h"

#include <algorithm>

Timer::Timer()
{
    // A failure leaves both limits 0, and every start then asks for period 0,
    // which the service refuses: the timer never runs.
    timeGetDevCaps(&caps_, sizeof caps_);
}

Timer::~Timer() { stop(); }

void Timer::start(UINT periodMs)
{
    if (running())
        return;
    const UINT period = effectivePeriod(periodMs, caps_);
    timerId_ = timeSetEvent(period, period, &Timer::timerCallback, reinterpret_cast<DWORD_PTR>(this),
                            TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
}

void Timer::stop()
{
    // The id is cleared before the kill so that an event arriving meanwhile
    // already finds it stale.
    if (const UINT id = timerId_.exchange(0))
        timeKillEvent(id);
}

void Timer::stopAndWait()
{
    stop();
    while (eventsUnderWay_ != 0)
        Sleep(1);
}

void Timer::dispatchEvent(UINT firingTimerId)
{
    if (firingTimerId != 0 && firingTimerId == timerId_)
        OnTimer();
}

UINT Timer::effectivePeriod(UINT requested, const TIMECAPS& caps)
{
    return std::min(std::max(requested, caps.wPeriodMin), caps.wPeriodMax);
}

void CALLBACK Timer::timerCallback(UINT timerId, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR)
{
    Timer* timer = reinterpret_cast<Timer*>(user);
    ++timer->eventsUnderWay_;
    timer->dispatchEvent(timerId);
    --timer->eventsUnderWay_;
}
