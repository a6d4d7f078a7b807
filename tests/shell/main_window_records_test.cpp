// What the main window keeps in the settings file while it runs: a score the
// moment it is won or cleared, nothing for a name dialog that never showed,
// and the window's restored position when it is closed minimised.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "records/ScoreChecksum.h"
#include "tests/shell/MainWindowFixture.h"
#include "tests/support/win32/UserActions.h"

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
    // Runs script on a second thread while this one pumps the window's
    // messages (and the modal loops it opens) until the script is done. A
    // dialog the script leaves open is a failure, and is dismissed so that
    // the modal loop it holds ends instead of hanging the test.
    void playUser(const std::function<void()>& script)
    {
        std::atomic<bool> done{false};
        std::thread user([&] {
            script();
            dismissLeftDialogs();
            done = true;
        });
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

    const DWORD windowThread_ = GetCurrentThreadId();
};

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

// Refuses to create dialogs on this thread, as when the system is out of
// window resources: the game-over message and the name dialog both fail.
class DialogRefusal {
public:
    DialogRefusal() : hook_(SetWindowsHookExW(WH_CBT, &DialogRefusal::refuse, nullptr, GetCurrentThreadId())) {}
    ~DialogRefusal()
    {
        if (hook_ != nullptr)
            UnhookWindowsHookEx(hook_);
    }
    bool active() const { return hook_ != nullptr; }

private:
    static LRESULT CALLBACK refuse(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND) {
            wchar_t name[16] = {};
            GetClassNameW(reinterpret_cast<HWND>(wParam), name, 16);
            if (std::wstring(name) == L"#32770")
                return 1;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    HHOOK hook_;
};

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

// A window that was left at a position of its choice.
class StoredPositionTest : public MainWindowRecordsTest {
protected:
    void prepareDirectory() override
    {
        std::ofstream(L"Brixol.ini", std::ios::binary) << "[Brixol]\r\nWindowLeft=100\r\nWindowTop=80\r\n";
    }
};

TEST_F(StoredPositionTest, ClosedMinimisedItKeepsItsRestoredPosition)
{
    RECT outer{};
    GetWindowRect(hwnd(), &outer);
    ASSERT_EQ(outer.left, 100);
    ASSERT_EQ(outer.top, 80);
    ShowWindow(hwnd(), SW_MINIMIZE);
    pump();
    ASSERT_TRUE(IsIconic(hwnd()));

    DestroyWindow(hwnd());
    pump();
    const std::wstring settings = readSettings();
    EXPECT_TRUE(has(settings, L"WindowLeft=100")) << narrowForLog(settings);
    EXPECT_TRUE(has(settings, L"WindowTop=80")) << narrowForLog(settings);
}

}  // namespace
