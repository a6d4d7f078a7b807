// The two-thread game under load: a timer thread ticking fast while a window
// thread paints, answers the flash's synchronous repaints, handles random keys
// (some of them deferred), pauses, toggles the guide and restarts games, until
// a fixed number of games have ended and of ticks have run; the time it takes
// is printed, never required. Built with ThreadSanitizer it proves the
// locking; a watchdog turns a deadlock into a failure. BRIXOL_STRESS_GAMES
// sets the number of games (default 10). And painting while a sound call of
// the tick blocks.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <random>
#include <set>
#include <thread>

#include "game/Game.h"
#include "game/GameHost.h"
#include "tests/support/GameTestAccess.h"
#include "tests/support/QuietHost.h"
#include "tests/support/RecordingSurface.h"

namespace {

using Clock = std::chrono::steady_clock;

// The window's message queue, with synchronous repaints delivered before
// posted messages, as a cross-thread UpdateWindow is.
class WindowQueue {
public:
    enum class Kind { KeyDown, KeyUp, GameOver, Start, Pause };
    struct Message {
        Kind kind;
        int value;  // key code or game number
    };

    void post(Message m)
    {
        const std::lock_guard<std::mutex> guard(mutex_);
        posted_.push_back(m);
        wake_.notify_all();
    }

    // Called by another thread: returns once the window thread has painted.
    void repaintAndWait()
    {
        std::unique_lock<std::mutex> guard(mutex_);
        const long long ticket = ++requested_;
        wake_.notify_all();
        painted_.wait(guard, [&] { return done_ >= ticket || closed_; });
    }

    // Window thread: runs pending repaints, then hands out one posted message.
    template <class Paint>
    bool next(Message& out, Paint paint)
    {
        std::unique_lock<std::mutex> guard(mutex_);
        wake_.wait_for(guard, std::chrono::microseconds(200), [&] { return requested_ > done_ || !posted_.empty(); });
        if (requested_ > done_) {
            const long long upTo = requested_;
            guard.unlock();
            paint();
            guard.lock();
            done_ = upTo;
            painted_.notify_all();
        }
        if (posted_.empty())
            return false;
        out = posted_.front();
        posted_.pop_front();
        return true;
    }

    void close()
    {
        const std::lock_guard<std::mutex> guard(mutex_);
        closed_ = true;
        painted_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable painted_;
    std::deque<Message> posted_;
    long long requested_ = 0;
    long long done_ = 0;
    bool closed_ = false;
};

class QueueHost : public GameHost {
public:
    explicit QueueHost(WindowQueue& queue) : queue(queue) {}

    void repaintAndWait() override { queue.repaintAndWait(); }
    void sleep(int milliseconds) override
    {
        // A tenth of the real pause keeps the flash's order without its length.
        std::this_thread::sleep_for(std::chrono::microseconds(100 * milliseconds));
    }
    bool postGameOver(std::uint32_t gameNumber) override
    {
        queue.post({WindowQueue::Kind::GameOver, static_cast<int>(gameNumber)});
        return true;
    }
    void repostKey(int virtualKey, bool keyDown) override
    {
        ++deferredKeys;
        queue.post({keyDown ? WindowQueue::Kind::KeyDown : WindowQueue::Kind::KeyUp, virtualKey});
    }
    void playSound(SoundId) override { ++sounds; }

    WindowQueue& queue;
    std::atomic<int> deferredKeys{0};
    std::atomic<int> sounds{0};
};

int stressGames()
{
    const char* text = std::getenv("BRIXOL_STRESS_GAMES");
    const int games = text ? std::atoi(text) : 10;
    return games > 0 ? games : 10;
}

TEST(GameThreads, TimerAndWindowThreadsNeverRaceOrDeadlock)
{
    WindowQueue queue;
    QueueHost host(queue);
    Game game(host);

    std::atomic<bool> stop{false};
    std::atomic<bool> timerRunning{false};
    std::atomic<long long> ticks{0}, paints{0}, windowSteps{0};
    int games = 0, refusedRestarts = 0, endedTwice = 0, gameOverMessages = 0;

    // Watchdog: no tick for 10 s is a deadlock (a window thread that hangs
    // holds up the timer's repaint too) or a timer that was never started
    // again; the play only pauses for moments.
    std::thread watchdog([&] {
        long long lastTicks = -1;
        auto lastChange = Clock::now();
        while (!stop) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (ticks != lastTicks) {
                lastTicks = ticks;
                lastChange = Clock::now();
            } else if (Clock::now() - lastChange > std::chrono::seconds(10)) {
                std::fprintf(stderr, "deadlock: no tick for 10 s (ticks %lld, window steps %lld)\n", ticks.load(),
                             windowSteps.load());
                std::abort();
            }
        }
    });

    // The multimedia timer: tick, then a synchronous repaint when the frame
    // has changed since the window last painted all of it, while the window
    // thread may be painting.
    std::thread timer([&] {
        while (!stop) {
            if (timerRunning) {
                const bool repaint = game.tick();
                ++ticks;
                if (repaint)
                    queue.repaintAndWait();
            }
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        }
    });

    // The repaints the timer asks for cover the whole window; the system's
    // own paints may cover part of it.
    auto paint = [&](PaintReach reach) {
        RecordingSurface surface;
        game.paint(surface, reach);
        ++paints;
    };

    std::mt19937 random(12345);
    const int actionKeys[] = {0x10, 0x20, 0x25, 0x26, 0x27, 0x28, 0x41};
    std::set<int> endedGames;
    // Nearly full rows at the bottom make line clears, and so flashes during
    // which the window thread finds the game busy, frequent.
    auto prepareClears = [&] {
        std::unique_lock<std::mutex> gameLock(GameTestAccess::gameLock(game), std::try_to_lock);
        if (!gameLock.owns_lock())
            return;
        const std::lock_guard<std::mutex> frameLock(GameTestAccess::frameLock(game));
        const int gap = static_cast<int>(random() % Field::columns);
        for (int r = Field::rows - 4; r < Field::rows; ++r)
            for (int c = 0; c < Field::columns; ++c)
                if (c != gap)
                    game.field.setCell(c, r, 1);
    };
    // A command that finds the game busy comes back after a short sleep, as
    // the window's does.
    auto start = [&] {
        if (!game.newGame()) {
            ++refusedRestarts;
            host.sleep(1);
            queue.post({WindowQueue::Kind::Start, 0});
            return;
        }
        ++games;
        prepareClears();
        timerRunning = true;
    };
    auto pause = [&] {
        if (!game.togglePause()) {
            host.sleep(1);
            queue.post({WindowQueue::Kind::Pause, 0});
            return;
        }
        if (game.running)
            timerRunning = !game.paused;
    };

    // The work: games ended and ticks run. Random play ends a game in about a
    // hundred ticks; play that goes on many times longer without ending them
    // is a fault of its own. (The window thread's steps are no measure: a
    // key deferred during a flash comes back at once, many times over.)
    const int gamesToEnd = stressGames();
    const long long ticksToRun = 100LL * gamesToEnd;
    const long long tickLimit = 20 * ticksToRun;
    const auto began = Clock::now();
    start();
    while ((gameOverMessages < gamesToEnd || ticks < ticksToRun) && ticks < tickLimit) {
        ++windowSteps;
        WindowQueue::Message m{};
        if (queue.next(m, [&] { paint(PaintReach::WholeWindow); })) {
            switch (m.kind) {
            case WindowQueue::Kind::KeyDown:
                if (game.running && !game.paused)
                    game.keyDown(m.value);
                break;
            case WindowQueue::Kind::KeyUp: game.keyUp(m.value); break;
            case WindowQueue::Kind::GameOver:
                ++gameOverMessages;
                endedTwice += endedGames.insert(m.value).second ? 0 : 1;
                // A notice of an earlier game must not stop the one now playing.
                if (static_cast<std::uint32_t>(m.value) == game.gameNumber())
                    timerRunning = false;
                break;
            case WindowQueue::Kind::Start: start(); break;
            case WindowQueue::Kind::Pause: pause(); break;
            }
            continue;
        }
        const int action = static_cast<int>(random() % 100);
        const int key = actionKeys[random() % 7];
        if (action < 60) {
            if (game.running && !game.paused)
                game.keyDown(key);
        } else if (action < 80) {
            game.keyUp(key);
        } else if (action < 90) {
            paint(random() % 2 == 0 ? PaintReach::WholeWindow : PaintReach::PartOfWindow);
        } else if (action < 94) {
            game.guideEnabled = !game.guideEnabled;
        } else if (action < 96) {
            pause();
        }
        // Restart now and then during play, and always after a game over.
        if (!game.running || random() % 2000 == 0)
            start();
    }

    stop = true;
    queue.close();
    timer.join();
    watchdog.join();

    const double seconds = std::chrono::duration<double>(Clock::now() - began).count();
    std::printf("%.1f s: ticks %lld, window steps %lld, paints %lld, games %d, game overs %d, refused restarts %d, "
                "deferred keys %d, sounds %d\n",
                seconds, ticks.load(), windowSteps.load(), paints.load(), games, gameOverMessages, refusedRestarts,
                host.deferredKeys.load(), host.sounds.load());
    EXPECT_LT(ticks.load(), tickLimit) << "random play ended " << gameOverMessages << " games of " << gamesToEnd;
    EXPECT_EQ(endedTwice, 0) << "a game ended more than once";
}

// A host whose call for one sound blocks until the test lets it go, as
// PlaySoundW may while it stops the sound still playing.
class BlockingSoundHost : public QuietHost {
public:
    explicit BlockingSoundHost(SoundId blocking) : blocking_(blocking) {}

    void playSound(SoundId sound) override
    {
        if (sound != blocking_)
            return;
        std::unique_lock<std::mutex> guard(mutex_);
        blocked_ = true;
        changed_.notify_all();
        changed_.wait(guard, [&] { return released_; });
    }

    bool waitUntilBlocked()
    {
        std::unique_lock<std::mutex> guard(mutex_);
        return changed_.wait_for(guard, std::chrono::seconds(10), [&] { return blocked_; });
    }

    void release()
    {
        const std::lock_guard<std::mutex> guard(mutex_);
        released_ = true;
        changed_.notify_all();
    }

private:
    const SoundId blocking_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool blocked_ = false;
    bool released_ = false;
};

struct SoundCase {
    const char* name;
    SoundId sound;
    // Sets up a board on which the next tick starts the sound.
    std::function<void(Game&)> arrange;
};

std::string soundCaseName(const ::testing::TestParamInfo<SoundCase>& info) { return info.param.name; }
void PrintTo(const SoundCase& c, std::ostream* out) { *out << c.name; }

// A square resting on the floor at the left, to lock at the next tick.
void restSquareOnTheFloor(Game& game)
{
    game.current.setShape(6, 0);
    game.current.x = 0;
    game.current.y = 16 * 17;
    game.current.landed = true;
    game.lockDelayTicks = 0;
}

void fillBottomRowBesideTheSquare(Game& game)
{
    for (int c = 3; c < Field::columns; ++c)
        game.field.setCell(c, Field::rows - 1, 1);
    game.field.setCell(0, Field::rows - 1, 1);
}

class SoundWhilePainting : public ::testing::TestWithParam<SoundCase> {};

// The tick starts its sounds while the window may be painting; a sound call
// that blocks must hold up the tick only, never the paint.
TEST_P(SoundWhilePainting, PaintDoesNotWaitForTheTicksSound)
{
    BlockingSoundHost host(GetParam().sound);
    Game game(host);
    ASSERT_TRUE(game.newGame());
    restSquareOnTheFloor(game);
    GetParam().arrange(game);

    std::thread timer([&] { game.tick(); });
    const bool blocked = host.waitUntilBlocked();
    bool painted = false;
    if (blocked) {
        auto painting = std::async(std::launch::async, [&] {
            RecordingSurface surface;
            game.paint(surface, PaintReach::WholeWindow);
        });
        painted = painting.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
        host.release();
        painting.wait();
    }
    host.release();
    timer.join();
    ASSERT_TRUE(blocked) << "the tick started no such sound";
    EXPECT_TRUE(painted) << "the paint waited for the sound";
}

INSTANTIATE_TEST_SUITE_P(
    TickSounds, SoundWhilePainting,
    ::testing::Values(SoundCase{"PieceLocked", SoundId::PieceLocked, [](Game&) {}},
                      SoundCase{"LinesCleared", SoundId::LinesCleared, fillBottomRowBesideTheSquare},
                      SoundCase{"LevelUp", SoundId::LevelUp,
                                [](Game& game) {
                                    game.stats.lines = 29;
                                    fillBottomRowBesideTheSquare(game);
                                }},
                      SoundCase{"GameOver", SoundId::GameOver,
                                [](Game& game) {
                                    // The next piece, a square, finds its spawn cells filled.
                                    game.next.setShape(6, 0);
                                    for (int c = 3; c <= 6; ++c)
                                        for (int r = 1; r <= 2; ++r)
                                            game.field.setCell(c, r, 1);
                                }}),
    soundCaseName);

}  // namespace
