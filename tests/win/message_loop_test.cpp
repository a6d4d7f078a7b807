// The message loop: filters see messages last-registered first and may
// consume them, idle handlers run only while the queue is empty, and the
// quit code comes back. Messages go to a hidden window of this thread.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "win/MessageLoop.h"
#include "win/Window.h"

namespace {

const wchar_t* const className = L"BrixolLoopTest";
constexpr UINT firstMessage = WM_APP + 1;
constexpr UINT secondMessage = WM_APP + 2;
constexpr int hungLoopCode = -99;

void CALLBACK endHungLoop(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(hungLoopCode); }

// One line per event, in the order the loop caused them.
using EventLog = std::vector<std::string>;

bool isTestMessage(UINT message) { return message == firstMessage || message == secondMessage; }
std::string nameOf(UINT message) { return message == firstMessage ? "first" : "second"; }

class LoggingWindow : public WindowBase<LoggingWindow> {
public:
    explicit LoggingWindow(EventLog& log) : log_(log) {}

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (isTestMessage(message)) {
            log_.push_back("dispatched " + nameOf(message));
            return 0;
        }
        return defaultHandling(message, wParam, lParam);
    }

private:
    EventLog& log_;
};

class LoggingFilter : public MessageFilter {
public:
    LoggingFilter(EventLog& log, std::string name, UINT consumes = 0)
        : log_(log), name_(std::move(name)), consumes_(consumes)
    {
    }

    bool preTranslate(MSG& message) override
    {
        if (!isTestMessage(message.message))
            return false;
        log_.push_back(name_ + " saw " + nameOf(message.message));
        return message.message == consumes_;
    }

private:
    EventLog& log_;
    std::string name_;
    UINT consumes_;
};

// Logs each call and runs the script's step for it: step i is what call i
// does, and returns whether the handler wants to be called again.
class ScriptedIdleHandler : public IdleHandler {
public:
    ScriptedIdleHandler(EventLog& log, std::vector<bool (*)(HWND)> script, HWND window)
        : log_(log), script_(std::move(script)), window_(window)
    {
    }

    bool onIdle() override
    {
        log_.push_back("idle");
        if (calls_ < script_.size())
            return script_[calls_++](window_);
        return false;
    }

private:
    EventLog& log_;
    std::vector<bool (*)(HWND)> script_;
    HWND window_;
    std::size_t calls_ = 0;
};

class MessageLoopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WindowClassInfo info;
        info.name = className;
        ASSERT_TRUE(LoggingWindow::registerClass(info));
        ASSERT_NE(window.create(className, L"loop", WS_OVERLAPPEDWINDOW), nullptr);
        // A loop that waits for a message that never comes ends with a
        // distinct code instead of hanging the test program.
        guardTimer_ = SetTimer(nullptr, 0, 10000, &endHungLoop);
    }
    void TearDown() override { KillTimer(nullptr, guardTimer_); }

    void post(UINT message) { ASSERT_TRUE(PostMessageW(window.hwnd(), message, 0, 0)); }

    EventLog log;
    LoggingWindow window{log};
    MessageLoop loop;

private:
    UINT_PTR guardTimer_ = 0;
};

TEST_F(MessageLoopTest, FiltersSeeMessagesLastRegisteredFirstAndConsumedOnesAreNotDispatched)
{
    LoggingFilter first(log, "first filter");
    LoggingFilter second(log, "second filter", secondMessage);
    loop.addFilter(first);
    loop.addFilter(second);
    post(firstMessage);
    post(secondMessage);
    PostQuitMessage(5);

    EXPECT_EQ(loop.run(), 5);

    const EventLog expected{
        "second filter saw first", "first filter saw first", "dispatched first",
        "second filter saw second",
    };
    EXPECT_EQ(log, expected);
}

TEST_F(MessageLoopTest, RemovedFilterIsNoLongerOffered)
{
    LoggingFilter first(log, "first filter");
    LoggingFilter second(log, "second filter", firstMessage);
    loop.addFilter(first);
    loop.addFilter(second);
    loop.removeFilter(second);
    post(firstMessage);
    PostQuitMessage(0);

    EXPECT_EQ(loop.run(), 0);

    const EventLog expected{"first filter saw first", "dispatched first"};
    EXPECT_EQ(log, expected);
}

TEST_F(MessageLoopTest, IdleHandlersRunOnlyOnceTheQueueIsEmpty)
{
    ScriptedIdleHandler idle(log,
                             {
                                 [](HWND window) {
                                     PostMessageW(window, secondMessage, 0, 0);
                                     return false;
                                 },
                                 [](HWND) {
                                     PostQuitMessage(7);
                                     return false;
                                 },
                             },
                             window.hwnd());
    loop.addIdleHandler(idle);
    post(firstMessage);

    EXPECT_EQ(loop.run(), 7);

    const EventLog expected{"dispatched first", "idle", "dispatched second", "idle"};
    EXPECT_EQ(log, expected);
}

TEST_F(MessageLoopTest, IdleHandlerAskingForMoreIsCalledAgainWhileTheQueueStaysEmpty)
{
    auto again = [](HWND) { return true; };
    ScriptedIdleHandler idle(log,
                             {again, again,
                              [](HWND) {
                                  PostQuitMessage(3);
                                  return false;
                              }},
                             window.hwnd());
    loop.addIdleHandler(idle);

    EXPECT_EQ(loop.run(), 3);

    const EventLog expected{"idle", "idle", "idle"};
    EXPECT_EQ(log, expected);
}

TEST_F(MessageLoopTest, RemovedIdleHandlerIsNotCalled)
{
    ScriptedIdleHandler removed(log, {}, window.hwnd());
    EventLog quitterLog;
    ScriptedIdleHandler quitter(quitterLog,
                                {[](HWND) {
                                    PostQuitMessage(1);
                                    return false;
                                }},
                                window.hwnd());
    loop.addIdleHandler(removed);
    loop.addIdleHandler(quitter);
    loop.removeIdleHandler(removed);
    post(firstMessage);

    EXPECT_EQ(loop.run(), 1);

    const EventLog expected{"dispatched first"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(quitterLog, EventLog{"idle"});
}

}  // namespace
