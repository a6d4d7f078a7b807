// What the main window keeps in the settings file while it runs: a score the
// moment it is won or cleared, nothing for a name dialog that never showed,
// the ended game's own entry whatever Start the player presses meanwhile, and
// the window's restored position when it is closed minimised or maximised,
// whatever panels narrow the desktop.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "records/ScoreChecksum.h"
#include "tests/shell/MainWindowFixture.h"
#include "tests/support/win32/UserActions.h"
#include "tests/support/win32/WindowCreationRefusal.h"

namespace {

std::string narrowForLog(const std::wstring& text)
{
    std::string bytes(text.size() * 3 + 1, '\0');
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0],
                                           static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return bytes;
}

bool has(const std::wstring& settings, const std::wstring& line)
{
    return settings.find(line) != std::wstring::npos;
}

class MainWindowRecordsTest : public MainWindowFixture {
protected:
    // Runs script on a second thread while this one runs windowFirst, if
    // given, then pumps the window's messages (and the modal loops they
    // open) until the script is done. A dialog the script leaves open is a
    // failure, and is dismissed so that the modal loop it holds ends instead
    // of hanging the test.
    void playUser(const std::function<void()>& script, const std::function<void()>& windowFirst = {})
    {
        std::atomic<bool> done{false};
        std::thread user([&] {
            script();
            dismissLeftDialogs();
            done = true;
        });
        if (windowFirst)
            windowFirst();
        const bool finished = pumpUntil([&] { return done.load(); }, 4 * static_cast<int>(waitLimitMs));
        user.join();
        EXPECT_TRUE(finished) << "the user's script did not finish";
    }

    void dismissLeftDialogs()
    {
        for (int round = 0; round < 10; ++round) {
            const std::vector<HWND> left = openDialogs(windowThread_);
            if (left.empty())
                return;
            for (const HWND dialog : left) {
                ADD_FAILURE() << "a dialog was left open: \"" << narrowForLog(textOf(dialog)) << "\" saying \""
                              << narrowForLog(messageBoxText(dialog)) << "\"";
                // A message box ends on any of its buttons; Cancel also
                // stands for OK where there is only OK.
                answer(dialog, IDCANCEL);
                answer(dialog, IDNO);
                click(dialog, IDC_RESULTS_CLOSE);
            }
            waitUntil([&] {
                return std::none_of(left.begin(), left.end(), [](HWND dialog) { return IsWindowVisible(dialog); });
            });
        }
    }

    // Whether the line-clear flash shows in the bottom row.
    bool flashing()
    {
        const std::lock_guard<std::mutex> frame(GameTestAccess::frameLock(game()));
        const int tile = game().field.cell(0, Field::rows - 1);
        return tile == 6 || tile == 7;
    }

    // The score and lines the game holds; for an ended game whose timer has
    // stopped, so that no tick holds the lock for long.
    std::pair<std::int32_t, std::int32_t> scoreAndLinesOfTheGame()
    {
        while (!GameTestAccess::gameLock(game()).try_lock())
            pump();
        const std::pair<std::int32_t, std::int32_t> result{game().stats.score, game().stats.lines};
        GameTestAccess::gameLock(game()).unlock();
        return result;
    }

    // For the user's script: no game runs behind a dialog of the end-of-game
    // flow, and the one that ended is still the window's.
    void expectNoOtherGame(std::uint32_t endedGame, const char* behind)
    {
        EXPECT_FALSE(game().running) << "a game runs behind " << behind;
        EXPECT_FALSE(timerRunning()) << "the timer runs behind " << behind;
        EXPECT_EQ(game().gameNumber(), endedGame) << "another game began behind " << behind;
    }

    // Answers the game-over message and the name dialog with the name given,
    // then closes the score table; beforeTheName runs while the name dialog
    // is open.
    void answerTheEndOfGame(std::uint32_t endedGame, const std::function<void(HWND nameDialog)>& beforeTheName = {})
    {
        const HWND box = waitForDialog(windowThread_, L"Brixol");
        ASSERT_NE(box, nullptr) << "no game-over message";
        expectNoOtherGame(endedGame, "the game-over message");
        answer(box, IDOK);
        const HWND name = waitForDialog(windowThread_, L"成績");
        ASSERT_NE(name, nullptr) << "the ended game was not offered for the table";
        expectNoOtherGame(endedGame, "the name dialog");
        if (beforeTheName)
            beforeTheName(name);
        click(name, IDOK);
        const HWND table = waitForDialog(windowThread_, L"成績表");
        ASSERT_NE(table, nullptr);
        click(table, IDC_RESULTS_CLOSE);
        waitForClosed(table);
    }

    // The one entry of the table is the ended game's, with the score and
    // lines it ended with (one cleared row), and that game is still the last.
    void expectTheEndedGamesEntry(std::uint32_t endedGame)
    {
        EXPECT_EQ(game().gameNumber(), endedGame) << "a Start was carried out after all";
        const auto [score, lines] = scoreAndLinesOfTheGame();
        EXPECT_GT(score, 500) << "the last clear scored";
        EXPECT_EQ(lines, 1);
        ASSERT_EQ(window_->highScores().records.size(), 1u);
        const ScoreRecord& entry = window_->highScores().records.front();
        EXPECT_EQ(entry.score, score);
        EXPECT_EQ(entry.lines, lines);
    }

    const DWORD windowThread_ = GetCurrentThreadId();
};

// A Start pressed during the flash of the clear that ends the game finds the
// game busy and comes back through the queue until the tick lets go of it,
// reaching the window before or after the game-over notice: either way the
// ended game is offered for the table with its own score and lines, and no
// other game starts during the end-of-game flow.
TEST_F(MainWindowRecordsTest, AStartDuringTheLastFlashLeavesTheEndedGameItsEntry)
{
    endTheGameWithScore(500, LastLock::ClearsARow);
    const std::uint32_t endedGame = game().gameNumber();
    ASSERT_TRUE(pumpUntil([&] { return flashing(); })) << "no flash";
    PostMessageW(hwnd(), WM_COMMAND, ID_KEY_START, 0);

    playUser([&] { answerTheEndOfGame(endedGame); });

    pump();
    expectTheEndedGamesEntry(endedGame);
}

// The name dialog has no owner when the program was not the active one, and
// the main window then takes commands while it is open.
TEST_F(MainWindowRecordsTest, AStartWhileTheNameDialogIsOpenChangesNothingOfTheEntry)
{
    endTheGameWithScore(500, LastLock::ClearsARow);
    const std::uint32_t endedGame = game().gameNumber();

    playUser([&] {
        answerTheEndOfGame(endedGame, [&](HWND) {
            EnableWindow(hwnd(), TRUE);
            DWORD_PTR result = 0;
            EXPECT_NE(SendMessageTimeoutW(hwnd(), WM_COMMAND, ID_GAME_START, 0, SMTO_NORMAL, waitLimitMs, &result), 0)
                << "the window did not take the command";
            expectNoOtherGame(endedGame, "the name dialog, after the Start");
        });
    });

    pump();
    expectTheEndedGamesEntry(endedGame);
}

// A Start the window handles while the game-over notice still waits in its
// queue: the ended game is scored first, and the notice that follows shows
// nothing more.
TEST_F(MainWindowRecordsTest, AStartBeforeTheGameOverNoticeScoresTheEndedGameFirst)
{
    endTheGameWithScore(500, LastLock::ClearsARow);
    const std::uint32_t endedGame = game().gameNumber();
    // Until the notice is queued, answering only the repaints the ticks
    // send (a peek does that), so that the notice stays where it is.
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitLimitMs);
    MSG notice{};
    while (!PeekMessageW(&notice, hwnd(), WM_APP_GAME_OVER, WM_APP_GAME_OVER, PM_NOREMOVE) &&
           std::chrono::steady_clock::now() < end)
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_SENDMESSAGE | QS_POSTMESSAGE);
    ASSERT_EQ(notice.message, WM_APP_GAME_OVER) << "no game-over notice";
    ASSERT_FALSE(game().running);

    std::atomic<bool> noticeHandled{false};
    playUser(
        [&] {
            answerTheEndOfGame(endedGame);
            // A second game-over message or name dialog would show now.
            waitUntil([&] { return noticeHandled || !openDialogs(windowThread_).empty(); });
        },
        [&] {
            command(ID_KEY_START);
            pump();
            noticeHandled = true;
        });

    expectTheEndedGamesEntry(endedGame);
}

TEST_F(MainWindowRecordsTest, ANewHighScoreIsInTheFileBeforeTheWindowCloses)
{
    std::wstring whileTheTableShows;
    endTheGameWithScore(500);
    playUser([&] {
        answer(waitForDialog(windowThread_, L"Brixol"), IDOK);
        const HWND name = waitForDialog(windowThread_, L"成績");
        ASSERT_NE(name, nullptr);
        click(name, IDOK);
        const HWND table = waitForDialog(windowThread_, L"成績表");
        ASSERT_NE(table, nullptr);
        whileTheTableShows = readSettings();
        click(table, IDC_RESULTS_CLOSE);
        waitForClosed(table);
    });
    ASSERT_EQ(window_->highScores().records.size(), 1u);
    EXPECT_TRUE(has(whileTheTableShows, L"HighScoreNum=1")) << narrowForLog(whileTheTableShows);
    EXPECT_TRUE(has(whileTheTableShows, L"Name=名無しさん")) << narrowForLog(whileTheTableShows);
    EXPECT_TRUE(has(whileTheTableShows, L"Score=500")) << narrowForLog(whileTheTableShows);
}

// A table of one entry, as an earlier session left it.
class OneEntryTest : public MainWindowRecordsTest {
protected:
    void prepareDirectory() override
    {
        const std::list<ScoreRecord> records = {{L"Top", L"2012/3/5", 700, 7}};
        std::ofstream(L"Brixol.ini", std::ios::binary)
            << "[Brixol]\r\nHighScoreNum=1\r\nCheckSum=" << computeScoreChecksum(records)
            << "\r\n[HighScore0]\r\nName=Top\r\nDate=2012/3/5\r\nScore=700\r\nLines=7\r\n";
    }
};

TEST_F(OneEntryTest, AClearedTableIsInTheFileWhileTheDialogIsStillOpen)
{
    ASSERT_EQ(window_->highScores().records.size(), 1u);
    std::wstring afterTheReset;
    PostMessageW(hwnd(), WM_COMMAND, ID_GAME_RESULTS, 0);
    playUser([&] {
        const HWND table = waitForDialog(windowThread_, L"成績表");
        ASSERT_NE(table, nullptr);
        click(table, IDC_RESULTS_RESET);
        answer(waitForDialog(windowThread_, L"確認"), IDYES);
        waitUntil([] { return has(readSettings(), L"HighScoreNum=0"); });
        afterTheReset = readSettings();
        click(table, IDC_RESULTS_CLOSE);
        waitForClosed(table);
    });
    EXPECT_TRUE(has(afterTheReset, L"HighScoreNum=0")) << narrowForLog(afterTheReset);
    EXPECT_TRUE(has(afterTheReset, L"CheckSum=0")) << narrowForLog(afterTheReset);
    EXPECT_TRUE(window_->highScores().records.empty());
}

// The game-over message and the name dialog both fail, as when the system
// is out of window resources.
constexpr wchar_t kDialogClass[] = L"#32770";
using DialogRefusal = WindowCreationRefusal<kDialogClass>;

TEST_F(MainWindowRecordsTest, ANameDialogThatCannotBeShownAddsNoEntry)
{
    endTheGameWithScore(500);
    const DialogRefusal refusal;
    ASSERT_TRUE(refusal.active());
    EXPECT_TRUE(pumpUntil([&] { return !game().running && !timerRunning(); }));
    pump();
    EXPECT_TRUE(window_->highScores().records.empty()) << "an entry was added without a name";
    EXPECT_FALSE(directory_.contains(L"Brixol.ini")) << "a save without a new entry";
}

// The primary monitor's work area narrowed for the object's life, as a
// panel at one or more of its edges would narrow it.
class WorkAreaOverride {
public:
    explicit WorkAreaOverride(const RECT& insets)
    {
        saved_ = SystemParametersInfoW(SPI_GETWORKAREA, 0, &previous_, 0) != FALSE;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
        RECT work = monitor.rcMonitor;
        work.left += insets.left;
        work.top += insets.top;
        work.right -= insets.right;
        work.bottom -= insets.bottom;
        applied_ = saved_ && SystemParametersInfoW(SPI_SETWORKAREA, 0, &work, 0) != FALSE;
    }
    ~WorkAreaOverride()
    {
        if (applied_)
            SystemParametersInfoW(SPI_SETWORKAREA, 0, &previous_, 0);
    }
    WorkAreaOverride(const WorkAreaOverride&) = delete;
    WorkAreaOverride& operator=(const WorkAreaOverride&) = delete;

    bool applied() const { return applied_; }

private:
    RECT previous_{};
    bool saved_ = false;
    bool applied_ = false;
};

struct PositionCase {
    const char* name;
    RECT panels;    // the work area's insets from the monitor's edges
    bool moved;     // moved by the player to (300, 200) before
    int showState;  // then minimised or maximised, and closed
};

void PrintTo(const PositionCase& c, std::ostream* out)
{
    *out << c.name;
}

// A window that was left at (100, 80), on a desktop whose work area panels
// narrow. Windows applies the work area set here to its monitors (and gives
// the placement's restored rectangle relative to it); wine takes its work
// area from the X desktop's panels instead, so under wine these cases keep
// the position through moves, minimising and maximising with the desktop's
// own work area.
class StoredPositionTest : public MainWindowRecordsTest, public ::testing::WithParamInterface<PositionCase> {
protected:
    void prepareDirectory() override
    {
        std::ofstream(L"Brixol.ini", std::ios::binary) << "[Brixol]\r\nWindowLeft=100\r\nWindowTop=80\r\n";
        workArea_ = std::make_unique<WorkAreaOverride>(GetParam().panels);
    }

    std::unique_ptr<WorkAreaOverride> workArea_;
};

TEST_P(StoredPositionTest, ClosedMinimisedOrMaximisedItStoresWhereItComesBackTo)
{
    const PositionCase& c = GetParam();
    ASSERT_TRUE(workArea_->applied());
    RECT outer{};
    GetWindowRect(hwnd(), &outer);
    ASSERT_EQ(outer.left, 100);
    ASSERT_EQ(outer.top, 80);
    POINT expected{100, 80};
    if (c.moved) {
        SetWindowPos(hwnd(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        expected = {300, 200};
    }
    ShowWindow(hwnd(), c.showState);
    pump();
    ASSERT_TRUE(c.showState == SW_MINIMIZE ? IsIconic(hwnd()) : IsZoomed(hwnd()));

    DestroyWindow(hwnd());
    pump();
    const std::wstring settings = readSettings();
    EXPECT_TRUE(has(settings, L"WindowLeft=" + std::to_wstring(expected.x))) << narrowForLog(settings);
    EXPECT_TRUE(has(settings, L"WindowTop=" + std::to_wstring(expected.y))) << narrowForLog(settings);
}

INSTANTIATE_TEST_SUITE_P(
    WorkAreas, StoredPositionTest,
    ::testing::Values(PositionCase{"PanelAtTheTop", {0, 40, 0, 0}, false, SW_MINIMIZE},
                      PositionCase{"PanelAtTheLeft", {40, 0, 0, 0}, false, SW_MINIMIZE},
                      PositionCase{"PanelsAtTheTopAndLeft", {40, 40, 0, 0}, false, SW_MINIMIZE},
                      PositionCase{"PanelAtTheRight", {0, 0, 40, 0}, false, SW_MINIMIZE},
                      PositionCase{"PanelAtTheBottom", {0, 0, 0, 40}, false, SW_MINIMIZE},
                      PositionCase{"MovedThenMinimised", {40, 40, 0, 0}, true, SW_MINIMIZE},
                      PositionCase{"Maximised", {0, 40, 0, 0}, false, SW_MAXIMIZE},
                      PositionCase{"MovedThenMaximised", {40, 0, 0, 40}, true, SW_MAXIMIZE}),
    [](const ::testing::TestParamInfo<PositionCase>& info) { return info.param.name; });

}  // namespace
