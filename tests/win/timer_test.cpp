// The multimedia timer: the period kept within the service's limits, events
// on a thread of their own, one timer at a time, and nothing after stop.
#include <gtest/gtest.h>

#include <malloc.h>

#include <atomic>
#include <memory>
#include <vector>

#include "win/Handles.h"
#include "win/Timer.h"
#include "win/Window.h"
#include "tests/support/win32/UserActions.h"

namespace {

// Long enough for any machine; only a broken timer waits this long.
constexpr DWORD eventTimeoutMs = 10000;

// A thread starter that never starts one, as when the system is out of
// threads.
bool refuseThreads(LPTHREAD_START_ROUTINE, void*) { return false; }

class CountingTimer : public Timer {
public:
    explicit CountingTimer(ThreadStarter startThread = &Timer::startDetachedThread) : Timer(startThread) {}
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

// A service timer that outlives its stop, because no thread could be
// started to kill it, goes on calling back: its events find their id stale
// and leave OnTimer alone, and a timer started after it runs as usual. The
// destructor kills both.
TEST(TimerTest, EventsOfAStoppedTimerThatStillFiresNeverReachOnTimer)
{
    CountingTimer timer(&refuseThreads);
    timer.start(1);
    ASSERT_TRUE(timer.waitForEvent());
    timer.stop();
    EXPECT_FALSE(timer.running());
    const int callsAtStop = timer.calls.load();

    CountingTimer clock;
    clock.start(2);
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(clock.waitForEvent());
    // An event already past its check when stop ran may still finish.
    EXPECT_LE(timer.calls.load(), callsAtStop + 1);

    timer.start(1);
    ASSERT_TRUE(timer.running());
    const int callsAtRestart = timer.calls.load();
    EXPECT_TRUE(waitUntil([&] { return timer.calls.load() > callsAtRestart; })) << "the new timer runs";
}

// Asked to paint now, paints at once: the window thread's side of a
// synchronous repaint.
constexpr UINT paintNow = WM_APP + 1;

class RepaintedWindow : public WindowBase<RepaintedWindow> {
public:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == paintNow) {
            UpdateWindow(hwnd());
            return 0;
        }
        if (message == WM_PAINT) {
            const PaintScope scope(hwnd());
            ++paints;
            return 0;
        }
        return defaultHandling(message, wParam, lParam);
    }

    int paints = 0;
};

// Every event repaints the window and waits until the window's thread has
// painted it, as the game's tick does. The wait is bounded, so that a thread
// that would never paint again shows as a repaint waited out instead of a
// hang.
class RepaintingTimer : public Timer {
public:
    RepaintingTimer(HWND window, ThreadStarter startThread) : Timer(startThread), window_(window) {}
    ~RepaintingTimer() override { stopAndWait(); }

    std::atomic<bool> inside{false};
    std::atomic<int> repaintsWaitedOut{0};

protected:
    void OnTimer() override
    {
        inside = true;
        InvalidateRect(window_, nullptr, FALSE);
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(window_, paintNow, 0, 0, SMTO_NORMAL, waitLimitMs, &result))
            ++repaintsWaitedOut;
        inside = false;
    }

private:
    HWND window_;
};

// Stopping the timer on the window's thread while an event waits for that
// thread to paint: without a thread of its own to kill the service's timer,
// stop must still return at once, so that the thread goes back to painting.
TEST(TimerTest, StopWithoutAKillThreadDoesNotWaitForAnEventThatWaitsForThisThread)
{
    WindowClassInfo info;
    info.name = L"BrixolRepaintedByTimer";
    ASSERT_TRUE(RepaintedWindow::registerClass(info));
    RepaintedWindow window;
    ASSERT_NE(window.create(info.name, L"repainted", WS_POPUP | WS_VISIBLE, WS_EX_NOACTIVATE,
                            WindowBounds{0, 0, 40, 30}),
              nullptr);
    RepaintingTimer timer(window.hwnd(), &refuseThreads);
    timer.start(1);
    ASSERT_TRUE(waitUntil([&] { return window.paints >= 3; })) << "the events do not repaint";

    // Without handling messages, until an event is on its way to wait for
    // this thread's paint.
    ASSERT_TRUE(waitUntil([&] { return timer.inside.load(); }));
    timer.stop();

    EXPECT_FALSE(timer.running());
    EXPECT_TRUE(waitUntil([&] { return !timer.inside.load(); }));
    EXPECT_EQ(timer.repaintsWaitedOut.load(), 0) << "stop waited for an event that waited for this thread";
}

}  // namespace
