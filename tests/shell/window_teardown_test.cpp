// The main window destroyed while its game ticks: the timer thread must drop
// its repaints from then on. A repaint sent to a window that is gone must not
// become a repaint of every window on the desktop.
#include <gtest/gtest.h>

#include <memory>

#include "ids/ResourceIds.h"
#include "shell/MainWindow.h"
#include "tests/support/win32/TemporaryDirectory.h"
#include "tests/support/win32/Waiting.h"

namespace {

// A visible window that only counts its paints.
class Bystander : public WindowBase<Bystander> {
public:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_PAINT)
            ++paints;
        return defaultHandling(message, wParam, lParam);
    }

    int paints = 0;
};

TEST(MainWindowTeardown, RepaintsOfTheTickStopWithTheWindowAndReachNoOtherWindow)
{
    const TemporaryDirectory directory;
    ASSERT_TRUE(directory.created());
    WindowClassInfo info;
    info.name = L"BrixolBystander";
    ASSERT_TRUE(Bystander::registerClass(info));
    Bystander bystander;
    ASSERT_NE(bystander.create(info.name, L"bystander", WS_POPUP | WS_VISIBLE, WS_EX_NOACTIVATE,
                               WindowBounds{600, 600, 80, 60}),
              nullptr);
    handleMessagesFor(50);

    constexpr int rounds = 15;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE(round);
        MessageLoop loop;
        auto window = std::make_unique<CMainWindow>(loop);
        ASSERT_TRUE(window->create());
        SendMessageW(window->hwnd(), WM_COMMAND, ID_GAME_START, 0);
        ASSERT_TRUE(window->timerRunning());
        handleMessagesFor(40 + 7 * round);  // a few ticks, ending at a different phase each round

        ValidateRect(bystander.hwnd(), nullptr);
        bystander.paints = 0;
        DestroyWindow(window->hwnd());
        // The object lives on for a while, as it does when the loop ends
        // before the program returns: ticks of a timer left running would
        // find no window now.
        EXPECT_FALSE(window->timerRunning());
        handleMessagesFor(80);
        EXPECT_EQ(bystander.paints, 0) << "a tick repainted another window";
        window.reset();
        handleMessagesFor(5);
        EXPECT_EQ(bystander.paints, 0);
    }
}

}  // namespace
