// The claim on a settings file: one holder per full path, whatever the
// letters' case; a later copy hands over to the holder's window once there is
// one, and waits while the holder closes, to run after it. Each copy is a
// thread of its own here, as the claim belongs to the thread that made it.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "shell/SettingsFileClaim.h"
#include "tests/support/win32/TemporaryDirectory.h"
#include "tests/support/win32/Waiting.h"
#include "win/Handles.h"

namespace {

// How long a waiting copy is given to do what it must not do; it looks for
// the holder's windows every 50 ms.
constexpr int kAbsenceMs = 300;

// Whether a claim made on another thread, as another copy's, holds.
bool heldByAnotherCopy(const std::wstring& path)
{
    return std::async(std::launch::async, [&path] { return SettingsFileClaim(path).held(); }).get();
}

// A later copy on its own thread: waits for its turn, and when it gets one
// holds the claim until told to let go.
class LaterCopy {
public:
    explicit LaterCopy(std::wstring path)
        : thread_([this, path] {
              SettingsFileClaim claim(path);
              runs_ = claim.held() || claim.waitForTurn();
              held_ = claim.held();
              decided_ = true;
              WaitForSingleObject(letGo_.get(), INFINITE);
          })
    {
    }
    ~LaterCopy()
    {
        SetEvent(letGo_.get());
        thread_.join();
    }
    LaterCopy(const LaterCopy&) = delete;
    LaterCopy& operator=(const LaterCopy&) = delete;

    bool decided() const { return decided_; }
    bool runs() const { return runs_; }
    bool held() const { return held_; }

private:
    std::atomic<bool> decided_{false};
    std::atomic<bool> runs_{false};
    std::atomic<bool> held_{false};
    const UniqueKernelHandle letGo_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::thread thread_;
};

UniqueWindow titledWindow(const wchar_t* title, DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU)
{
    return UniqueWindow(CreateWindowExW(0, L"STATIC", title, style | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                        nullptr, nullptr));
}

TEST(SettingsFileClaim, NamesAreOnePerPathWhateverTheCase)
{
    EXPECT_EQ(SettingsFileClaim::nameFor(L"C:\\Games\\Brixol\\Brixol.ini"),
              SettingsFileClaim::nameFor(L"c:\\GAMES\\brixol\\BRIXOL.INI"));
    EXPECT_NE(SettingsFileClaim::nameFor(L"C:\\Games\\Brixol\\Brixol.ini"),
              SettingsFileClaim::nameFor(L"C:\\Games\\Brixol2\\Brixol.ini"));
    // Any length of path gives a name the system accepts.
    EXPECT_LT(SettingsFileClaim::nameFor(L"C:\\" + std::wstring(5000, L'x')).size(), 64u);
}

TEST(SettingsFileClaim, OneCopyHoldsAFileWhileItRuns)
{
    const TemporaryDirectory directory;
    {
        const SettingsFileClaim first(L"./Brixol.ini");
        ASSERT_TRUE(first.held());
        // Relative and full spellings, in another case: the same file.
        EXPECT_FALSE(heldByAnotherCopy(directory.path() + L"\\BRIXOL.INI"));
        EXPECT_FALSE(heldByAnotherCopy(L"brixol.ini"));
        EXPECT_TRUE(heldByAnotherCopy(L"./Other.ini"));
    }
    EXPECT_TRUE(heldByAnotherCopy(L"./Brixol.ini")) << "free again once the first has ended";
}

// The holder has claimed the file but shows nothing yet (it is loading):
// the later copy waits, and hands over once a window shows.
TEST(SettingsFileClaim, ALaterCopyWaitsForTheHoldersWindowAndHandsOverToIt)
{
    const TemporaryDirectory directory;
    const SettingsFileClaim holder(L"./Brixol.ini");
    ASSERT_TRUE(holder.held());
    const LaterCopy later(L"./Brixol.ini");
    EXPECT_FALSE(waitUntil([&] { return later.decided(); }, kAbsenceMs)) << "it did not wait for a window";

    const UniqueWindow window = titledWindow(L"holder");
    ASSERT_TRUE(window);
    ASSERT_TRUE(waitUntil([&] { return later.decided(); }, 10000)) << "it did not find the window";
    EXPECT_FALSE(later.runs());
    EXPECT_FALSE(later.held());
}

// A box of the holder's (the damaged-data message during its load) is where
// the later copy hands over; a window without a title bar is not.
TEST(SettingsFileClaim, ALaterCopyHandsOverToTheHoldersBox)
{
    const TemporaryDirectory directory;
    const SettingsFileClaim holder(L"./Brixol.ini");
    ASSERT_TRUE(holder.held());
    const UniqueWindow untitled = titledWindow(L"no title bar", WS_POPUP);
    ASSERT_TRUE(untitled);
    const LaterCopy later(L"./Brixol.ini");
    EXPECT_FALSE(waitUntil([&] { return later.decided(); }, kAbsenceMs)) << "it handed over to an untitled window";

    const UniqueWindow box(CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", L"エラー",
                                           WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                           nullptr, nullptr, nullptr));
    ASSERT_TRUE(box);
    ASSERT_TRUE(waitUntil([&] { return later.decided(); }, 10000)) << "it did not find the box";
    EXPECT_FALSE(later.runs());
}

// The holder is closing: its window still shows, but the later copy waits
// for it to end and then holds the file itself.
TEST(SettingsFileClaim, ALaterCopyWaitsWhileTheHolderClosesAndRunsAfterIt)
{
    const TemporaryDirectory directory;
    std::unique_ptr<SettingsFileClaim> holder = std::make_unique<SettingsFileClaim>(L"./Brixol.ini");
    ASSERT_TRUE(holder->held());
    const UniqueWindow window = titledWindow(L"closing");
    ASSERT_TRUE(window);
    holder->announceClosing();

    const LaterCopy later(L"./Brixol.ini");
    EXPECT_FALSE(waitUntil([&] { return later.decided(); }, kAbsenceMs)) << "it handed over to a closing copy";
    holder.reset();
    ASSERT_TRUE(waitUntil([&] { return later.decided(); }, 10000)) << "it did not run after the holder ended";
    EXPECT_TRUE(later.runs());
    EXPECT_TRUE(later.held());
    EXPECT_FALSE(heldByAnotherCopy(L"./Brixol.ini")) << "the copy that runs now holds the file";
}

}  // namespace
