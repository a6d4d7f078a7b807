// The multimedia timer: the period kept within the service's limits, events
// on a thread of their own, one timer at a time, and nothing after stop.
#include <gtest/gtest.h>

#include <malloc.h>

#include <atomic>
#include <memory>
#include <vector>

#include "win/Handles.h"
#include "win/Timer.h"

namespace {

// Long enough for any machine; only a broken timer waits this long.
constexpr DWORD eventTimeoutMs = 10000;

class CountingTimer : public Timer {
public:
    ~CountingTimer() override { stopAndWait(); }

    // Waits for the next OnTimer; false if none came in time.
    bool waitForEvent() const { return WaitForSingleObject(fired_.get(), eventTimeoutMs) == WAIT_OBJECT_0; }

    std::atomic<int> calls{0};
    std::atomic<DWORD> threadId{0};

protected:
    void OnTimer() override
    {
        ++calls;
        threadId = GetCurrentThreadId();
        SetEvent(fired_.get());
    }

private:
    UniqueKernelHandle fired_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
};

TEST(TimerTest, PeriodIsRaisedToTheMinimumThenLoweredToTheMaximum)
{
    const struct {
        UINT minimum, maximum, requested, expected;
    } cases[] = {
        {20, 1000, 16, 20},  // a coarse service runs slower
        {1, 10, 16, 10},     // a service with a short maximum runs faster
        {1, 1000000, 16, 16},
        {16, 16, 16, 16},
        {1, 1000000, 0, 1},
    };
    for (const auto& c : cases) {
        const TIMECAPS caps{c.minimum, c.maximum};
        EXPECT_EQ(Timer::effectivePeriod(c.requested, caps), c.expected)
            << "limits " << c.minimum << "-" << c.maximum << ", requested " << c.requested;
    }
}

TEST(TimerTest, EventsRunOnAnotherThreadAndEndWithStop)
{
    CountingTimer timer;
    timer.start(2);
    ASSERT_TRUE(timer.running());
    ASSERT_TRUE(timer.waitForEvent());
    EXPECT_NE(timer.threadId.load(), GetCurrentThreadId());

    timer.stop();
    EXPECT_FALSE(timer.running());
    const int callsAtStop = timer.calls.load();

    // Another timer of the same period serves as the clock: while it fires
    // five times, a timer still running would fire about as often.
    CountingTimer clock;
    clock.start(2);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(clock.waitForEvent());
    // An event already past its check when stop ran may still finish.
    EXPECT_LE(timer.calls.load(), callsAtStop + 1);
}

// An event that takes a while (a tick waiting for a repaint) is still running
// when stop returns; stopAndWait returns only after it.
class SlowTimer : public Timer {
public:
    ~SlowTimer() override { stopAndWait(); }

    // Waits until an event is inside OnTimer; false if none came in time.
    bool waitUntilInside() const { return WaitForSingleObject(entered_.get(), eventTimeoutMs) == WAIT_OBJECT_0; }

    std::atomic<bool> inside{false};

protected:
    void OnTimer() override
    {
        inside = true;
        SetEvent(entered_.get());
        Sleep(100);
        inside = false;
    }

private:
    UniqueKernelHandle entered_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

TEST(TimerTest, StopAndWaitReturnsAfterTheEventUnderWay)
{
    SlowTimer timer;
    timer.start(1);
    ASSERT_TRUE(timer.waitUntilInside()) << "no event in time";
    timer.stopAndWait();
    EXPECT_FALSE(timer.inside);
    EXPECT_FALSE(timer.running());
}

// What outlives one fast timer: whether it is gone, and how often OnTimer ran
// after that.
struct TimerLedger {
    std::atomic<bool> destroyed{false};
    std::atomic<int> eventsAfterDestruction{0};
    std::atomic<int> events{0};
};

class LedgerTimer : public Timer {
public:
    explicit LedgerTimer(TimerLedger& ledger) : ledger_(ledger) {}
    ~LedgerTimer() override
    {
        stopAndWait();
        ledger_.destroyed = true;
    }

protected:
    void OnTimer() override
    {
        if (ledger_.destroyed)
            ++ledger_.eventsAfterDestruction;
        ++ledger_.events;
    }

private:
    TimerLedger& ledger_;
};

// The game's timer is made and destroyed with the window, and stopped and
// started by every pause: hundreds of 1 ms timers, each destroyed while it
// ticks, some with a stop first, run nothing once gone and leave the process
// sound.
TEST(TimerTest, FastTimersDestroyedWhileTickingRunNothingAfterwards)
{
    constexpr int rounds = 400;
    std::vector<std::unique_ptr<TimerLedger>> ledgers;
    for (int round = 0; round < rounds; ++round) {
        ledgers.push_back(std::make_unique<TimerLedger>());
        auto timer = std::make_unique<LedgerTimer>(*ledgers.back());
        timer->start(1);
        ASSERT_TRUE(timer->running()) << "round " << round;
        if (round % 3 == 1) {
            timer->stop();
            timer->start(1);
        }
        // Let it tick now and then, so that some are destroyed mid-event.
        if (round % 4 == 0)
            Sleep(2);
        timer.reset();
    }
    // Any event picked before a kill has long been delivered by now.
    CountingTimer clock;
    clock.start(2);
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(clock.waitForEvent());

    int ticked = 0;
    for (int round = 0; round < rounds; ++round) {
        EXPECT_EQ(ledgers[round]->eventsAfterDestruction.load(), 0) << "round " << round;
        ticked += ledgers[round]->events > 0 ? 1 : 0;
    }
    EXPECT_GT(ticked, 0) << "no timer ever ticked: the case showed nothing";
    // A callback that wrote into a freed timer would show here, if not before.
    EXPECT_EQ(_heapchk(), _HEAPOK);
}

TEST(TimerTest, StartWhileRunningKeepsTheRunningTimer)
{
    CountingTimer timer;
    timer.start(60000);
    const UINT first = timer.timerId();
    ASSERT_NE(first, 0u);

    timer.start(60000);

    EXPECT_EQ(timer.timerId(), first);
}

TEST(TimerTest, StartAfterStopMakesANewTimer)
{
    CountingTimer timer;
    timer.start(2);
    timer.stop();
    EXPECT_EQ(timer.timerId(), 0u);

    timer.start(2);

    EXPECT_NE(timer.timerId(), 0u);
    EXPECT_TRUE(timer.waitForEvent());
}

TEST(TimerTest, OnlyTheRunningTimersEventsReachOnTimer)
{
    CountingTimer timer;
    timer.dispatchEvent(0);
    timer.dispatchEvent(77);
    EXPECT_EQ(timer.calls.load(), 0) << "no timer runs";

    // A period far beyond the test's length: only our own calls count.
    timer.start(60000);
    ASSERT_TRUE(timer.running());
    timer.dispatchEvent(timer.timerId() + 1);
    EXPECT_EQ(timer.calls.load(), 0) << "stale id";
    timer.dispatchEvent(timer.timerId());
    EXPECT_EQ(timer.calls.load(), 1) << "running timer's id";
}

}  // namespace
