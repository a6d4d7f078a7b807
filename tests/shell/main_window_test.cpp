// The main window under wine: its resources, size, painting, keys, commands,
// timer and settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include "game/SoundEffects.h"
#include "shell/SoundResources.h"
#include "shell/Updater.h"
#include "shell/WindowGameHost.h"
#include "tests/shell/MainWindowFixture.h"
#include "tests/support/win32/SystemDpi.h"

namespace {

// ---- Resources -------------------------------------------------------------

struct MenuEntry {
    std::wstring text;  // empty for a separator
    UINT id;            // 0 for a separator
};

std::vector<MenuEntry> itemsOf(HMENU menu)
{
    std::vector<MenuEntry> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        items.push_back({(info.fType & MFT_SEPARATOR) ? L"" : text, (info.fType & MFT_SEPARATOR) ? 0 : info.wID});
    }
    return items;
}


TEST(Resources, MenuItemsHaveTheirTextsAndCommands)
{
    const HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_MENU));
    ASSERT_NE(menu, nullptr);
    const std::vector<std::wstring> dropDowns = {L"ゲーム(&F)", L"オプション(&O)", L"ヘルプ(&H)"};
    const std::vector<std::vector<MenuEntry>> expected = {
        {{L"スタート(&S)\tS", ID_GAME_START}, {L"", 0}, {L"ポーズ(&P)\tP", ID_GAME_PAUSE},
         {L"成績表(&R)\tR", ID_GAME_RESULTS}, {L"", 0}, {L"終了(&E)\tESC", ID_GAME_EXIT}, {L"", 0}},
        {{L"サウンド(&N)\tN", ID_OPTION_SOUND}, {L"ガイドブロック(&G)\tG", ID_OPTION_GUIDE}},
        {{L"バージョン情報(&V)", ID_HELP_VERSION}},
    };
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    for (int i = 0; i < 3; ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        EXPECT_EQ(text, dropDowns[i]);
        const std::vector<MenuEntry> items = itemsOf(GetSubMenu(menu, i));
        ASSERT_EQ(items.size(), expected[i].size()) << "drop-down " << i;
        for (size_t k = 0; k < items.size(); ++k) {
            EXPECT_EQ(items[k].text, expected[i][k].text) << "drop-down " << i << " item " << k;
            EXPECT_EQ(items[k].id, expected[i][k].id) << "drop-down " << i << " item " << k;
        }
    }
    DestroyMenu(menu);
}

// Each of the six plain keys, without Shift, Ctrl or Alt, gives its command.
TEST(Resources, ShortcutTableMapsEachKeyToItsCommand)
{
    const HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_SHORTCUTS));
    ASSERT_NE(table, nullptr);
    ACCEL entries[16] = {};
    const int count = CopyAcceleratorTableW(table, entries, 16);
    DestroyAcceleratorTable(table);
    std::map<WORD, WORD> commandOfKey;
    for (int i = 0; i < count; ++i) {
        // Only the key's own bits: Windows also keeps an end-of-table bit in fVirt.
        const WORD key = entries[i].key;
        EXPECT_EQ(entries[i].fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT), FVIRTKEY) << "key " << key;
        EXPECT_TRUE(commandOfKey.emplace(key, entries[i].cmd).second) << "key " << key << " twice";
    }
    const std::map<WORD, WORD> expected = {{'S', ID_KEY_START},   {'P', ID_KEY_PAUSE}, {'R', ID_KEY_RESULTS},
                                           {VK_ESCAPE, ID_KEY_EXIT}, {'N', ID_KEY_SOUND}, {'G', ID_KEY_GUIDE}};
    EXPECT_EQ(commandOfKey, expected);
}

struct SoundCase {
    SoundId sound;
    int milliseconds;
};

// Each of the game's sounds plays its own WAVE resource, of its own length.
TEST(Resources, SoundsArePcmMono22kHz16BitOfTheirLengths)
{
    std::set<int> resources;
    for (const SoundCase& c : {SoundCase{SoundId::LinesCleared, 231}, SoundCase{SoundId::Turn, 88},
                               SoundCase{SoundId::PieceLocked, 111}, SoundCase{SoundId::LevelUp, 1592},
                               SoundCase{SoundId::Move, 68}, SoundCase{SoundId::GameOver, 1000}}) {
        const int id = soundResourceId(c.sound);
        SCOPED_TRACE(id);
        EXPECT_TRUE(resources.insert(id).second) << "a resource shared by two sounds";
        const HMODULE module = GetModuleHandleW(nullptr);
        const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), L"WAVE");
        ASSERT_NE(found, nullptr);
        const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found)));
        const DWORD size = SizeofResource(module, found);
        ASSERT_GE(size, 44u);
        auto u16 = [&](int at) { return data[at] | (data[at + 1] << 8); };
        auto u32 = [&](int at) { return static_cast<std::uint32_t>(u16(at) | (u16(at + 2) << 16)); };
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), 4), "RIFF");
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(data + 8), 4), "WAVE");
        EXPECT_EQ(u16(20), 1) << "PCM";
        EXPECT_EQ(u16(22), 1) << "mono";
        EXPECT_EQ(u32(24), 22050u);
        EXPECT_EQ(u16(34), 16);
        const double ms = u32(40) / 2 / 22.050;
        EXPECT_NEAR(ms, c.milliseconds, 0.5);
    }
}

TEST(Resources, BitmapsAndIconHaveTheirFormats)
{
    struct BitmapCase {
        int id;
        LONG width;
        LONG height;
    };
    for (const BitmapCase& c : {BitmapCase{IDB_FRAME, 248, 352}, BitmapCase{IDB_TILES, 144, 16}}) {
        const UniqueBitmap bitmap(static_cast<HBITMAP>(LoadImageW(
            GetModuleHandleW(nullptr), MAKEINTRESOURCEW(c.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        ASSERT_TRUE(bitmap) << c.id;
        DIBSECTION dib{};
        ASSERT_EQ(GetObjectW(bitmap.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
        EXPECT_EQ(dib.dsBm.bmWidth, c.width);
        EXPECT_EQ(dib.dsBm.bmHeight, c.height);
        EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
    }
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(IDI_BRIXOL), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const auto* dir = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, group)));
    EXPECT_EQ(dir[4] | (dir[5] << 8), 1) << "one image";
    EXPECT_EQ(dir[6], 32);
    EXPECT_EQ(dir[7], 32);
    EXPECT_EQ(dir[8], 16) << "16 colours";
}

// ---- The window --------------------------------------------------------------

using MainWindowTest = MainWindowFixture;

// The board at the screen's DPI (main_window_dpi_test runs this at each).
TEST_F(MainWindowTest, ClientAreaIsTheBoardsSizeAtTheStoredPosition)
{
    struct BoardSize {
        int dpi;
        LONG width;
        LONG height;
    };
    const BoardSize sizes[] = {{96, 248, 352}, {120, 310, 440}, {144, 372, 528}, {192, 496, 704}};
    const auto size = std::find_if(std::begin(sizes), std::end(sizes),
                                   [](const BoardSize& s) { return s.dpi == screenDpi(); });
    ASSERT_NE(size, std::end(sizes)) << "no board size known for " << screenDpi() << " DPI";
    RECT client{};
    GetClientRect(hwnd(), &client);
    std::printf("%d DPI: client area %ld x %ld\n", screenDpi(), client.right - client.left, client.bottom - client.top);
    EXPECT_EQ(client.right - client.left, size->width);
    EXPECT_EQ(client.bottom - client.top, size->height);
    RECT outer{};
    GetWindowRect(hwnd(), &outer);
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    EXPECT_TRUE(IsWindowVisible(hwnd()));
    const LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME | WS_MAXIMIZEBOX),
              WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
}

TEST_F(MainWindowTest, FirstStartHasThePauseItemDisabledAndTheOptionsFromTheDefaults)
{
    EXPECT_EQ(menuState(0, ID_GAME_PAUSE) & (MFS_DISABLED | MFS_CHECKED), static_cast<UINT>(MFS_DISABLED));
    EXPECT_EQ(menuState(0, ID_GAME_START) & MFS_DISABLED, 0u);
    EXPECT_EQ(menuState(1, ID_OPTION_SOUND) & MFS_CHECKED, static_cast<UINT>(MFS_CHECKED));
    EXPECT_EQ(menuState(1, ID_OPTION_GUIDE) & MFS_CHECKED, 0u);
}

TEST_F(MainWindowTest, SoundAndGuideCommandsToggleTheirCheckMarks)
{
    for (UINT id : {ID_OPTION_SOUND, ID_KEY_SOUND}) {
        const bool before = soundEnabled();
        command(id);
        EXPECT_EQ(soundEnabled(), !before);
        EXPECT_EQ((menuState(1, ID_OPTION_SOUND) & MFS_CHECKED) != 0, !before);
    }
    for (UINT id : {ID_OPTION_GUIDE, ID_KEY_GUIDE}) {
        const bool before = game().guideEnabled;
        command(id);
        EXPECT_EQ(game().guideEnabled, !before);
        EXPECT_EQ((menuState(1, ID_OPTION_GUIDE) & MFS_CHECKED) != 0, !before);
    }
}

TEST_F(MainWindowTest, ShortcutKeysBecomeCommands)
{
    // A posted key goes through the loop's filter, as a typed one does.
    PostMessageW(hwnd(), WM_KEYDOWN, 'G', 0);
    const bool before = game().guideEnabled;
    pump();
    EXPECT_EQ(game().guideEnabled, !before);
}

TEST_F(MainWindowTest, BeforeTheFirstGameOnlyBackgroundAndFrameArePainted)
{
    const auto frame = capture();
    EXPECT_TRUE(frame->pixel(88, 176).closeTo(Rgb{63, 63, 63}, 2)) << frame->pixel(88, 176);  // playfield
    EXPECT_TRUE(frame->pixel(200, 40).closeTo(Rgb{63, 63, 63}, 2));                           // next box
    EXPECT_TRUE(frame->pixel(3, 3).closeTo(Rgb{240, 240, 240}, 2)) << frame->pixel(3, 3);      // surround
    EXPECT_TRUE(frame->pixel(200, 300).closeTo(Rgb{240, 240, 240}, 2));
}

TEST_F(MainWindowTest, CellsAreDrawnInTheirTileColours)
{
    ASSERT_TRUE(game().newGame());  // no timer: nothing moves while the test looks
    const Rgb tiles[] = {{215, 64, 38}, {8, 236, 90}, {241, 238, 45}, {218, 103, 255},
                         {82, 229, 255}, {221, 222, 216}, {100, 151, 240}};
    for (int t = 1; t <= 7; ++t)
        game().field.setCell(t - 1, 19, t);
    const auto frame = capture();
    for (int t = 1; t <= 7; ++t)
        EXPECT_EQ(frame->pixel(8 + 16 * (t - 1) + 8, 16 + 16 * 19 + 8), tiles[t - 1]) << "tile " << t;
}

TEST_F(MainWindowTest, GuideIsHalfStrengthOnWholeCellsWhileThePieceIsAtItsPixels)
{
    ASSERT_TRUE(game().newGame());
    game().guideEnabled = true;
    game().current.setShape(6, 0);  // square in box cells (1..2, 1..2), tile 7
    game().current.x = 48;
    game().current.y = 37;
    const auto frame = capture();
    const Rgb blue{100, 151, 240};
    // The piece: its top cells start at 16 + 37 + 16 = 69.
    EXPECT_EQ(frame->pixel(8 + 64 + 8, 69 + 8), blue);
    EXPECT_TRUE(frame->pixel(8 + 64 + 8, 67).closeTo(Rgb{63, 63, 63}, 2));
    // The guide: rows 18 and 19, blended at 128 over the dark playfield.
    const Rgb half{(100 + 63) / 2, (151 + 63) / 2, (240 + 63) / 2};
    EXPECT_TRUE(frame->pixel(8 + 64 + 8, 16 + 16 * 18 + 8).closeTo(half, 3)) << frame->pixel(80, 312);
    EXPECT_TRUE(frame->pixel(8 + 64 + 8, 16 + 16 * 17 + 8).closeTo(Rgb{63, 63, 63}, 2));

    game().guideEnabled = false;
    EXPECT_TRUE(capture()->pixel(8 + 64 + 8, 16 + 16 * 18 + 8).closeTo(Rgb{63, 63, 63}, 2));
}

// The game's timer, one tick at a time, on the test's thread: its repaint is
// the window's at once.
class TickByHand : public Updater {
public:
    using Updater::Updater;
    using Updater::OnTimer;
};

// A canvas of the window's client size.
std::unique_ptr<PixelCanvas> clientCanvas(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return std::make_unique<PixelCanvas>(client.right - client.left, client.bottom - client.top);
}

// The window's own pixels, as the screen shows them.
std::unique_ptr<PixelCanvas> windowPixels(HWND window)
{
    auto canvas = clientCanvas(window);
    const WindowDcScope dc(window);
    BitBlt(canvas->dc(), 0, 0, canvas->width(), canvas->height(), dc.get(), 0, 0, SRCCOPY);
    return canvas;
}

int differingPixels(const PixelCanvas& a, const PixelCanvas& b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) == b.pixel(x, y) ? 0 : 1;
    return differing;
}

struct PaintBetweenCase {
    const char* name;
    // A paint after the key and before the tick, which does not put the whole
    // frame on the window.
    void (*paint)(HWND window);
};

void PrintTo(const PaintBetweenCase& c, std::ostream* out) { *out << c.name; }

class FrameAfterATickTest : public MainWindowFixture, public ::testing::WithParamInterface<PaintBetweenCase> {};

// A key changes the frame on the window thread and leaves the repaint to the
// next tick; a paint in between that does not reach the whole window must not
// make that tick skip it: at the end of every tick the window shows the
// current frame.
TEST_P(FrameAfterATickTest, WindowShowsTheCurrentFrameAfterTheTick)
{
    ASSERT_TRUE(game().newGame());  // no timer: the test ticks
    WindowGameHost host;
    host.attach(hwnd());
    TickByHand timer(game(), host);
    {
        // A square resting on the floor, far from its lock: the tick changes
        // nothing drawn.
        const std::lock_guard<std::mutex> frame(GameTestAccess::frameLock(game()));
        game().current.setShape(6, 0);
        game().current.x = 48;
        game().current.y = 16 * 17;
        game().current.landed = true;
    }
    InvalidateRect(hwnd(), nullptr, FALSE);
    UpdateWindow(hwnd());
    ASSERT_FALSE(game().frameChangedSincePaint()) << "a paint of the whole window does not count as one";

    SendMessageW(hwnd(), WM_KEYDOWN, VK_LEFT, 0);
    ASSERT_EQ(game().current.x, 32) << "the key did not move the piece";
    GetParam().paint(hwnd());
    timer.OnTimer();

    const auto shown = windowPixels(hwnd());
    const auto frame = capture();
    EXPECT_EQ(differingPixels(*frame, *shown), 0) << "pixels of the window that differ from the current frame";
    // Where the piece was and where it is: not the same on both, or the
    // comparison would show nothing.
    EXPECT_FALSE(frame->pixel(8 + 32 + 24, 16 + 16 * 18 + 8) == frame->pixel(8 + 48 + 40, 16 + 16 * 18 + 8));
}

INSTANTIATE_TEST_SUITE_P(
    PaintsBetween, FrameAfterATickTest,
    ::testing::Values(PaintBetweenCase{"PartOfTheWindow",
                                       [](HWND window) {
                                           const RECT corner{0, 0, 8, 8};
                                           InvalidateRect(window, &corner, FALSE);
                                           UpdateWindow(window);
                                       }},
                      PaintBetweenCase{"PrintClient",
                                       [](HWND window) {
                                           const auto printed = clientCanvas(window);
                                           SendMessageW(window, WM_PRINTCLIENT,
                                                        reinterpret_cast<WPARAM>(printed->dc()), PRF_CLIENT);
                                       }}),
    [](const ::testing::TestParamInfo<PaintBetweenCase>& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, KeysReachTheGameOnlyDuringPlay)
{
    SendMessageW(hwnd(), WM_KEYDOWN, VK_LEFT, 0);  // no game yet
    ASSERT_TRUE(game().newGame());
    const int x = game().current.x;
    SendMessageW(hwnd(), WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(game().current.x, x - 16);

    ASSERT_TRUE(game().togglePause());
    SendMessageW(hwnd(), WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(game().current.x, x - 16) << "ignored while paused";

    ASSERT_TRUE(game().togglePause());
    game().running = false;
    SendMessageW(hwnd(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(game().current.x, x - 16) << "ignored after the game";
}

TEST_F(MainWindowTest, StartTicksTheGameOnTheTimerAndPauseStopsIt)
{
    command(ID_GAME_START);
    EXPECT_TRUE(timerRunning());
    EXPECT_EQ(menuState(0, ID_GAME_PAUSE) & (MFS_DISABLED | MFS_CHECKED), 0u);
    auto pieceY = [&] {
        const std::lock_guard<std::mutex> frame(GameTestAccess::frameLock(game()));
        return game().current.y;
    };
    EXPECT_TRUE(pumpUntil([&] { return pieceY() > 0; })) << "the piece falls";

    command(ID_KEY_PAUSE);
    EXPECT_TRUE(game().paused);
    EXPECT_TRUE(game().pauseCaption.visible);
    EXPECT_FALSE(timerRunning());
    EXPECT_EQ(menuState(0, ID_GAME_PAUSE) & MFS_CHECKED, static_cast<UINT>(MFS_CHECKED));

    command(ID_GAME_PAUSE);
    EXPECT_FALSE(game().paused);
    EXPECT_TRUE(timerRunning());

    command(ID_KEY_START);  // a new game keeps the running timer
    EXPECT_TRUE(timerRunning());
}

TEST_F(MainWindowTest, PauseWithNoGameDoesNothing)
{
    command(ID_KEY_PAUSE);
    EXPECT_FALSE(game().paused);
    EXPECT_FALSE(timerRunning());
    EXPECT_FALSE(game().pauseCaption.visible);
}

// Closes the next message box with the given caption; records its text.
class MessageBoxCloser {
public:
    explicit MessageBoxCloser(const wchar_t* caption)
        : thread_([this, caption] {
              HWND box = nullptr;
              waitUntil([&] {
                  box = FindWindowW(L"#32770", caption);
                  return stop_ || (box != nullptr && IsWindowVisible(box));
              });
              if (stop_ || box == nullptr)
                  return;
              wchar_t text[256] = {};
              GetDlgItemTextW(box, 0xFFFF, text, 256);
              text_ = text;
              PostMessageW(box, WM_COMMAND, IDOK, 0);
              found_ = true;
          })
    {
    }
    ~MessageBoxCloser()
    {
        stop_ = true;
        thread_.join();
    }
    bool found() const { return found_; }
    std::wstring text()
    {
        thread_.join();
        thread_ = std::thread([] {});
        return text_;
    }

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> found_{false};
    std::wstring text_;
    std::thread thread_;
};

TEST_F(MainWindowTest, GameOverStopsTheTimerAndDisablesPause)
{
    endTheGameWithScore(0);

    MessageBoxCloser closer(L"Brixol");
    EXPECT_TRUE(pumpUntil([&] { return closer.found() && !timerRunning(); }));
    pump();
    EXPECT_EQ(closer.text(), L"ゲームオーバー！");
    EXPECT_FALSE(game().running);
    EXPECT_FALSE(timerRunning());
    EXPECT_EQ(menuState(0, ID_GAME_PAUSE) & MFS_DISABLED, static_cast<UINT>(MFS_DISABLED));
    EXPECT_TRUE(window_->highScores().records.empty()) << "a score of 0 never enters the table";

    command(ID_KEY_PAUSE);  // must not start the timer on the ended game
    EXPECT_FALSE(timerRunning());
    EXPECT_FALSE(game().paused);
}

TEST_F(MainWindowTest, StaleGameOverNoticeIsIgnored)
{
    command(ID_GAME_START);
    const std::uint32_t first = game().gameNumber();
    command(ID_GAME_START);
    SendMessageW(hwnd(), WM_APP, first, 0);  // the first game's notice, late
    EXPECT_TRUE(timerRunning());
    EXPECT_TRUE(game().running);
}

TEST_F(MainWindowTest, ExitSavesTheSettings)
{
    command(ID_GAME_START);
    command(ID_KEY_SOUND);
    command(ID_KEY_GUIDE);
    const bool sound = soundEnabled();
    command(ID_KEY_EXIT);
    EXPECT_TRUE(pumpUntil([&] { return hwnd() == nullptr; }));
    EXPECT_TRUE(startsWithUtf16LeMark(readFileBytes(L"Brixol.ini"))) << "a new settings file is UTF-16LE";
    const std::wstring settings = readSettings();
    EXPECT_NE(settings.find(std::wstring(L"Sound=") + (sound ? L"1" : L"0")), std::wstring::npos) << settings;
    EXPECT_NE(settings.find(L"Guide=1"), std::wstring::npos) << settings;
    EXPECT_NE(settings.find(L"HighScoreNum=0"), std::wstring::npos) << settings;
}

TEST_F(MainWindowTest, EndOfSessionSavesOnce)
{
    SendMessageW(hwnd(), WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(directory_.contains(L"Brixol.ini")) << "a session that goes on saves nothing";
    SendMessageW(hwnd(), WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(directory_.contains(L"Brixol.ini"));
    DeleteFileW(L"Brixol.ini");
    DestroyWindow(hwnd());
    pump();
    EXPECT_FALSE(directory_.contains(L"Brixol.ini")) << "saved a second time";
}

}  // namespace
