// Figures of the Windows program, printed, never asserted: the timer's ticks
// per second, and at 96 and at 192 DPI (the window told of the change as a
// move to another monitor would) the cost of one full frame through the
// double buffer beside a bare BitBlt of the same client area and one window
// state query, the frame's stages, and the process's CPU use during ten
// seconds of play (with and without sound). Run under wine:
// wine frame_benchmark.exe
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <vector>

#include "game/DrawSurface.h"
#include "game/SoundEffects.h"
#include "render/BoardScale.h"
#include "render/GdiSurface.h"
#include "render/ImageStore.h"
#include "shell/MainWindow.h"
#include "win/BackBuffer.h"
#include "win/GdiplusSession.h"
#include "ids/ResourceIds.h"
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
        // Sleeps until a message or the next key is due, as a message loop
        // would: the pump must not add CPU use of its own.
        const auto wake = keyEveryMs > 0 ? std::min(nextKey, end) : end;
        const auto waitMs = std::chrono::duration_cast<std::chrono::milliseconds>(wake - Clock::now()).count();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::max<long long>(waitMs, 0)),
                                  QS_ALLINPUT);
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

// Starts a game with sound on or off and plays it for ten seconds, a key
// every 150 ms; returns the process's CPU use meanwhile, in per cent of one
// core. The sound is set, not toggled: the window starts with whatever the
// last run's settings file holds.
double playCpuPercent(CMainWindow& window, bool sound)
{
    if (soundEnabled() != sound)
        SendMessageW(window.hwnd(), WM_COMMAND, ID_OPTION_SOUND, 0);
    SendMessageW(window.hwnd(), WM_COMMAND, ID_GAME_START, 0);
    const double cpuBefore = cpuSeconds();
    const auto wallBefore = Clock::now();
    pumpFor(window, 10000, 150);
    const double cpu = cpuSeconds() - cpuBefore;
    const double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
    return 100.0 * cpu / wall;
}

class CountingTimer : public Timer {
public:
    ~CountingTimer() override { stop(); }
    std::atomic<long> events{0};

protected:
    void OnTimer() override { ++events; }
};

// Forwards every operation to the surface of a real paint and adds up the
// time of each stage of the frame.
class StageTimingSurface : public DrawSurface {
public:
    enum Stage { Backdrop, Cells, Captions, stageCount };

    explicit StageTimingSurface(DrawSurface& inner) : inner_(inner) {}

    Size size() const override { return inner_.size(); }
    void copyTile(int tile, int x, int y) override
    {
        timed(Cells, [&] { inner_.copyTile(tile, x, y); });
    }
    void blendTile(int tile, int x, int y, std::uint8_t alpha) override
    {
        timed(Cells, [&] { inner_.blendTile(tile, x, y, alpha); });
    }
    Size pictureSize(Picture picture) const override { return inner_.pictureSize(picture); }
    void copyPicture(Picture picture, int x, int y) override
    {
        timed(Backdrop, [&] { inner_.copyPicture(picture, x, y); });
    }
    void blendPicture(Picture picture, int width, int height, std::uint8_t alpha) override
    {
        timed(Backdrop, [&] { inner_.blendPicture(picture, width, height, alpha); });
    }
    void fill(const PixelRect& rect, std::uint32_t rgb) override
    {
        timed(Backdrop, [&] { inner_.fill(rect, rgb); });
    }
    void drawText(const std::wstring& text, const TextStyle& style, const LayoutRect& layout) override
    {
        timed(Captions, [&] { inner_.drawText(text, style, layout); });
    }
    void drawBackdrop(std::uint8_t frameAlpha) override
    {
        timed(Backdrop, [&] { inner_.drawBackdrop(frameAlpha); });
    }

    double micros[stageCount] = {};

private:
    template <class Work>
    void timed(Stage stage, Work work)
    {
        const auto start = Clock::now();
        work();
        GdiFlush();  // what GDI batches belongs to this stage
        micros[stage] += std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    }

    DrawSurface& inner_;
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

// What WM_DPICHANGED brings when the window moves to a monitor of that DPI:
// the board scaled, the window resized about its place.
void changeDpi(CMainWindow& window, int dpi)
{
    RECT outer{};
    GetWindowRect(window.hwnd(), &outer);
    SendMessageW(window.hwnd(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&outer));
}

void printFrame(HWND window, HDC memory)
{
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    GdiFlush();
}

// The frame's figures at the window's DPI, beside a bare BitBlt of the same
// client area.
void measureFrames(CMainWindow& window)
{
    Game& game = window.game();
    const int runs = 400;
    const Size clientSize = window.clientSize();

    const WindowDcScope screenDc(window.hwnd());
    const HDC screen = screenDc.get();
    const UniqueDc memoryDc(CreateCompatibleDC(screen));
    const HDC memory = memoryDc.get();
    const UniqueBitmap bitmap(CreateCompatibleBitmap(screen, clientSize.width, clientSize.height));
    const SelectionScope selection(memory, bitmap.get());
    // The first frame at a DPI scales the art, composes the backdrop and
    // measures the captions' ink.
    showAllCaptions(game);
    const double first = timeMedian(1, [&] { printFrame(window.hwnd(), memory); });
    const double frame = timeMedian(runs, [&] {
        showAllCaptions(game);
        printFrame(window.hwnd(), memory);
    });
    const double withoutText = timeMedian(runs, [&] {
        game.levelUpCaption.visible = false;
        game.deleteCaption.visible = false;
        game.pauseCaption.visible = false;
        game.scoreCaption.visible = false;
        printFrame(window.hwnd(), memory);
    });
    game.scoreCaption.visible = true;
    const double blit = timeMedian(runs, [&] {
        BitBlt(screen, 0, 0, clientSize.width, clientSize.height, memory, 0, 0, SRCCOPY);
        GdiFlush();
    });
    // Under wine each question about a window's state is a round trip to the
    // wine server, and a played frame takes a score of them (the tick's
    // InvalidateRect and UpdateWindow, BeginPaint and EndPaint): the floor
    // of what a frame takes beyond its drawing.
    const double query = timeMedian(runs, [&] { GetUpdateRect(window.hwnd(), nullptr, FALSE); });

    // A caption fading out changes every frame: its pixels cannot be kept.
    game.levelUpCaption.visible = false;
    game.pauseCaption.visible = false;
    game.deleteCaption.reset();  // the effects from their first step
    game.deleteCaption.show(2);
    std::vector<double> fadeSamples;
    while (game.deleteCaption.visible && fadeSamples.size() < 40)
        fadeSamples.push_back(timeMedian(1, [&] { printFrame(window.hwnd(), memory); }));
    const double fading = medianMicroseconds(fadeSamples);

    // The stages of the same full frame, composed as a paint composes it,
    // into a back buffer like the window's.
    std::vector<double> stageSamples[StageTimingSurface::stageCount];
    const BoardScale scale(window.dpi());
    FrameCache cache;  // as the window keeps its own
    BackBuffer stageBuffer;
    const HDC stageDc = stageBuffer.prepare(screen, clientSize.width, clientSize.height);
    for (int i = 0; i < runs; ++i) {
        showAllCaptions(game);
        GdiSurface surface(stageDc, clientSize, ImageStore::shared(scale.toBoardCovering(clientSize)), &cache, scale);
        StageTimingSurface timing(surface);
        game.paint(timing, PaintReach::PartOfWindow);  // into a buffer only
        for (int stage = 0; stage < StageTimingSurface::stageCount; ++stage)
            stageSamples[stage].push_back(timing.micros[stage]);
    }
    double stages[StageTimingSurface::stageCount];
    for (int stage = 0; stage < StageTimingSurface::stageCount; ++stage)
        stages[stage] = medianMicroseconds(stageSamples[stage]);

    std::printf("---- %d DPI, client area %d x %d\n", window.dpi(), clientSize.width, clientSize.height);
    std::printf("the first frame at this DPI (art scaled, backdrop composed, ink measured): %.0f us\n", first);
    std::printf("full frame, mid-game, all captions (paint through the double buffer), median of %d: %.0f us\n",
                runs, frame);
    std::printf("the same frame without caption text:                       %.0f us\n", withoutText);
    std::printf("a frame with the score and a fading clear caption, median of %d: %.0f us\n",
                static_cast<int>(fadeSamples.size()), fading);
    std::printf("bare BitBlt of the client area, median of %d:            %.0f us\n", runs, blit);
    std::printf("one window state query (GetUpdateRect), median of %d:  %.1f us\n", runs, query);
    std::printf("full frame / bare BitBlt:                                  %.1fx\n", frame / blit);
    std::printf("frame cost as a share of the 16 ms period:                %.1f %%\n", frame / 160.0);
    std::printf("stages, median of %d each: background and frame %.0f us, field and pieces %.0f us, "
                "captions %.0f us\n",
                runs, stages[StageTimingSurface::Backdrop], stages[StageTimingSurface::Cells],
                stages[StageTimingSurface::Captions]);
    std::fflush(stdout);
}

// Ten seconds of play with sound, and ten without: each move and turn
// sound starts a playback of its own, whose cost is the sound system's,
// not the frame's.
void measurePlay(CMainWindow& window)
{
    const double withSound = playCpuPercent(window, true);
    std::printf("%d DPI: CPU during 10 s of play (a key every 150 ms): %.1f %% of one core\n", window.dpi(),
                withSound);
    std::fflush(stdout);
    std::printf("%d DPI: the same play with sound off: %.1f %% of one core\n", window.dpi(),
                playCpuPercent(window, false));
    std::fflush(stdout);
}

}  // namespace

int main()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    SetCurrentDirectoryW(temp);  // no background picture, no settings file of the user's

    const GdiplusSession gdiplus;
    MessageLoop loop;
    CMainWindow window(loop);
    if (!window.create()) {
        std::puts("frame_benchmark: the window could not be created");
        return 1;
    }
    pumpFor(window, 300);

    CountingTimer timer;
    const double timerCpuBefore = cpuSeconds();
    timer.start(Game::msPerTick);
    Sleep(10000);
    timer.stop();
    const double timerCpu = cpuSeconds() - timerCpuBefore;
    std::printf("timer events in 10 s: %ld (%.1f per second; 62.5 expected), CPU of the bare timer %.1f %% of one core\n",
                timer.events.load(), timer.events.load() / 10.0, 100.0 * timerCpu / 10.0);
    std::fflush(stdout);

    // At the board's own DPI and at twice it, whatever the system's.
    for (const int dpi : {96, 192}) {
        if (window.dpi() != dpi) {
            changeDpi(window, dpi);
            pumpFor(window, 300);
        }
        fillBoard(window.game());
        measureFrames(window);
        measurePlay(window);
    }

    DestroyWindow(window.hwnd());
    return 0;
}
