// Figures of the Windows program, printed, never asserted: the cost of one
// full frame through the double buffer beside a bare full-window BitBlt, the
// process's CPU use during ten seconds of play, and the timer's ticks per
// second. Run under wine: wine frame_benchmark.exe
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <vector>

#include "shell/MainWindow.h"
#include "win/Timer.h"

namespace {

using Clock = std::chrono::steady_clock;

double medianMicroseconds(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

template <class Work>
double timeMedian(int runs, Work work)
{
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    return medianMicroseconds(samples);
}

void pumpFor(CMainWindow& window, int milliseconds, int keyEveryMs = 0)
{
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    auto nextKey = Clock::now();
    const WPARAM keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_RIGHT, VK_LEFT, VK_DOWN};
    int keyIndex = 0;
    while (Clock::now() < end) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!window.preTranslate(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        if (keyEveryMs > 0 && Clock::now() >= nextKey) {
            PostMessageW(window.hwnd(), WM_KEYDOWN, keys[keyIndex++ % 6], 0);
            nextKey += std::chrono::milliseconds(keyEveryMs);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

double cpuSeconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

class CountingTimer : public Timer {
public:
    ~CountingTimer() override { stop(); }
    std::atomic<long> events{0};

protected:
    void OnTimer() override { ++events; }
};

// A board in mid-game with every caption showing.
void fillBoard(Game& game)
{
    game.newGame();
    game.guideEnabled = true;
    for (int r = 8; r < Field::rows; ++r)
        for (int c = 0; c < Field::columns; ++c)
            if ((r * 3 + c) % 4 != 0)
                game.field.setCell(c, r, 1 + (r + c) % 7);
    game.current.y = 40;
}

void showAllCaptions(Game& game)
{
    game.levelUpCaption.show();
    game.deleteCaption.show(4);
    game.pauseCaption.visible = true;
}

}  // namespace

int main()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    SetCurrentDirectoryW(temp);  // no background picture, no settings file of the user's

    MessageLoop loop;
    CMainWindow window(loop);
    if (!window.create()) {
        std::puts("frame_benchmark: the window could not be created");
        return 1;
    }
    pumpFor(window, 300);

    Game& game = window.game();
    fillBoard(game);
    const int runs = 400;

    const WindowDcScope screenDc(window.hwnd());
    const HDC screen = screenDc.get();
    const UniqueDc memoryDc(CreateCompatibleDC(screen));
    const HDC memory = memoryDc.get();
    const UniqueBitmap bitmap(CreateCompatibleBitmap(screen, CMainWindow::clientWidth, CMainWindow::clientHeight));
    const SelectionScope selection(memory, bitmap.get());
    const double frame = timeMedian(runs, [&] {
        showAllCaptions(game);
        SendMessageW(window.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        GdiFlush();
    });
    const double withoutText = timeMedian(runs, [&] {
        game.levelUpCaption.visible = false;
        game.deleteCaption.visible = false;
        game.pauseCaption.visible = false;
        game.scoreCaption.visible = false;
        SendMessageW(window.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        GdiFlush();
    });
    game.scoreCaption.visible = true;
    const double blit = timeMedian(runs, [&] {
        BitBlt(screen, 0, 0, CMainWindow::clientWidth, CMainWindow::clientHeight, memory, 0, 0, SRCCOPY);
        GdiFlush();
    });
    std::printf("full frame (paint through the double buffer), median of %d: %.0f us\n", runs, frame);
    std::printf("the same frame without the four captions' text:           %.0f us\n", withoutText);
    std::printf("bare full-window BitBlt, median of %d:                    %.0f us\n", runs, blit);
    std::printf("frame cost as a share of the 16 ms period:                %.1f %%\n", frame / 160.0);

    CountingTimer timer;
    timer.start(16);
    Sleep(10000);
    timer.stop();
    std::printf("timer events in 10 s: %ld (%.1f per second; 62.5 expected)\n", timer.events.load(),
                timer.events.load() / 10.0);

    SendMessageW(window.hwnd(), WM_COMMAND, 40105, 0);  // Start
    const double cpuBefore = cpuSeconds();
    const auto wallBefore = Clock::now();
    pumpFor(window, 10000, 150);
    const double cpu = cpuSeconds() - cpuBefore;
    const double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
    std::printf("CPU during %.1f s of play (a key every 150 ms): %.2f s, %.1f %% of one core\n", wall, cpu,
                100.0 * cpu / wall);

    DestroyWindow(window.hwnd());
    return 0;
}
