// What the program keeps for the player however it ends, and who owns a
// settings file: a score won is in the file even when the process is killed
// afterwards; a file another program holds at the start is kept beside the
// new one; a second copy on the same file hands over to the first and ends,
// while a copy in another folder runs beside it.
#include <gtest/gtest.h>

#include <cwctype>
#include <list>
#include <memory>
#include <string>

#include "tests/e2e/DesktopWindows.h"
#include "tests/e2e/E2eTest.h"
#include "win/Handles.h"

namespace {

using RecordsKeptTest = E2eTest;

TEST_F(RecordsKeptTest, AScoreWonIsKeptWhenTheProcessIsKilledAfterwards)
{
    ASSERT_NO_FATAL_FAILURE(startBrixol());
    const HWND gameOver = playUntilGameOver();
    ASSERT_NE(gameOver, nullptr);
    answer(gameOver, IDOK, "the game-over message");
    const HWND nameDialog = awaitDialog(L"成績");
    ASSERT_NE(nameDialog, nullptr);
    postControlClick(nameDialog, IDOK);
    expectClosed(nameDialog, "the name dialog");
    ASSERT_NE(awaitDialog(L"成績表"), nullptr);

    brixol_->terminate();
    ASSERT_FALSE(brixol_->running());

    int damagedReports = 0;
    const std::list<ScoreRecord> records = settingsFile_.loadRecords(&damagedReports);
    EXPECT_EQ(damagedReports, 0);
    ASSERT_EQ(records.size(), 1u) << "the score won before the kill is not in the file";
    EXPECT_EQ(records.front().name, L"名無しさん");
    EXPECT_GT(records.front().score, 0);
}

// A sync client or a virus scanner that holds the file, sharing nothing,
// through the program's start: the program starts with the defaults, and
// its save at the close keeps the file byte for byte beside the new one and
// says where both are.
TEST_F(RecordsKeptTest, AFileHeldThroughTheStartIsKeptBesideTheNewOneAndThePlayerTold)
{
    StoredSettings stored;
    stored.records = {{L"先頭", L"2012/3/5", 1000, 12}, {L"二番", L"2012/3/4", 500, 7}};
    settingsFile_.write(stored);
    const std::string before = settingsFile_.bytes();
    {
        const UniqueFile holder(CreateFileW(settingsFile_.path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        ASSERT_NO_FATAL_FAILURE(startBrixol());
    }
    pressKey(VK_ESCAPE);
    const HWND notice = awaitDialog(L"エラー");
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(hasText(notice, settingsFile_.backupPath()));
    EXPECT_TRUE(hasText(notice, settingsFile_.path()));
    answer(notice, IDOK, "the message");
    ASSERT_TRUE(brixol_->waitForExit()) << "the program did not end after the message";
    EXPECT_EQ(brixol_->exitCode(), 0u);

    EXPECT_EQ(SettingsFile::bytesOf(settingsFile_.backupPath()), before) << "the held file is not kept as it was";
    int damagedReports = 0;
    EXPECT_TRUE(settingsFile_.loadRecords(&damagedReports).empty()) << "the run had the defaults";
    EXPECT_EQ(damagedReports, 0);
}

std::wstring upperCase(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

TEST_F(RecordsKeptTest, ASecondCopyOnTheSameFileBringsTheFirstBackAndEnds)
{
    ASSERT_NO_FATAL_FAILURE(startBrixol());
    ShowWindow(window_, SW_MINIMIZE);
    ASSERT_TRUE(waitUntil([&] { return IsIconic(window_) != FALSE; }, BrixolProcess::windowTimeoutMs));

    // The same folder, spelt in other letters' case: the same file.
    BrixolProcess second(upperCase(directory_.path()));
    ASSERT_TRUE(second.started()) << narrow(second.startError());
    EXPECT_TRUE(second.waitForExit()) << "the second copy still runs; its windows: " << second.describeWindows();
    EXPECT_EQ(second.exitCode(), 0u);

    EXPECT_TRUE(brixol_->running());
    EXPECT_TRUE(waitUntil([&] { return IsIconic(window_) == FALSE; }, BrixolProcess::windowTimeoutMs))
        << "the first copy's window was not brought back";
    ASSERT_NO_FATAL_FAILURE(closeWithEscape());
}

// The first copy shows its damaged-data message while it loads, before its
// window: a second copy on the same file opens nothing of its own, neither
// a window nor a second message, and ends, leaving the first to go on.
TEST_F(RecordsKeptTest, ASecondCopyWhileTheFirstShowsItsStartMessageOpensNothingAndEnds)
{
    StoredSettings stored;
    stored.records = {{L"先頭", L"2012/3/5", 1000, 12}};
    settingsFile_.write(stored);
    settingsFile_.writeValue(L"HighScore0", L"Score", L"1001");
    ASSERT_NO_FATAL_FAILURE(launchBrixol());
    const HWND damaged = awaitDialog(L"エラー");
    ASSERT_NE(damaged, nullptr);
    ASSERT_TRUE(hasText(damaged, L"スコアデータに異常が見つかりました"));

    BrixolProcess second(directory_.path());
    ASSERT_TRUE(second.started()) << narrow(second.startError());
    bool secondShowedAWindow = false;
    const bool secondEnded = waitUntil(
        [&] {
            secondShowedAWindow = secondShowedAWindow || showsAnyWindow(second.id());
            return !second.running();
        },
        BrixolProcess::exitTimeoutMs);
    EXPECT_TRUE(secondEnded) << "the second copy still runs; its windows: " << second.describeWindows();
    EXPECT_EQ(second.exitCode(), 0u);
    EXPECT_FALSE(secondShowedAWindow) << "the second copy showed a window of its own";

    EXPECT_TRUE(IsWindowVisible(damaged)) << "the first copy's message went away";
    answer(damaged, IDOK, "the damaged-data message");
    ASSERT_NO_FATAL_FAILURE(awaitMainWindow());
    ASSERT_NO_FATAL_FAILURE(closeWithEscape());
}

// The first copy is closing: its save is done and it still shows a message
// (the file it could not read at its start is kept aside). A second copy
// started then waits, without a window, and starts once the first has ended,
// on the file the first saved.
TEST_F(RecordsKeptTest, ASecondCopyStartedWhileTheFirstClosesStartsAfterItOnTheSavedFile)
{
    settingsFile_.write(StoredSettings{});
    {
        const UniqueFile holder(CreateFileW(settingsFile_.path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        ASSERT_NO_FATAL_FAILURE(startBrixol());
    }
    pressKey('N');  // sound off, saved at the close
    pressKey(VK_ESCAPE);
    const HWND notice = awaitDialog(L"エラー");
    ASSERT_NE(notice, nullptr);

    BrixolProcess second(directory_.path());
    ASSERT_TRUE(second.started()) << narrow(second.startError());
    EXPECT_FALSE(waitUntil([&] { return !second.running() || showsAnyWindow(second.id()); }, absenceWaitMs))
        << "the second copy did not wait for the first to close; its windows: " << second.describeWindows();

    answer(notice, IDOK, "the message");
    ASSERT_TRUE(brixol_->waitForExit()) << "the first copy did not end";
    const HWND secondWindow = second.waitForMainWindow();
    ASSERT_NE(secondWindow, nullptr) << "the second copy did not start after the first; its windows: "
                                     << second.describeWindows();
    second.press(secondWindow, VK_ESCAPE);
    ASSERT_TRUE(second.waitForExit());
    EXPECT_EQ(second.exitCode(), 0u);
    EXPECT_EQ(settingsFile_.value(L"Brixol", L"Sound"), L"0") << "the second copy did not read what the first saved";
}

TEST_F(RecordsKeptTest, ACopyInAnotherFolderRunsBesideTheFirst)
{
    ASSERT_NO_FATAL_FAILURE(startBrixol());
    TemporaryDirectory otherFolder(TemporaryDirectory::Use::KeepCurrent);
    ASSERT_TRUE(otherFolder.created());
    BrixolProcess other(otherFolder.path());
    ASSERT_TRUE(other.started()) << narrow(other.startError());
    const HWND otherWindow = other.waitForMainWindow();
    EXPECT_NE(otherWindow, nullptr) << "the copy in another folder did not show its window; its windows: "
                                    << other.describeWindows();
    EXPECT_TRUE(brixol_->running());

    if (otherWindow != nullptr) {
        other.press(otherWindow, VK_ESCAPE);
        EXPECT_TRUE(other.waitForExit());
    }
    ASSERT_NO_FATAL_FAILURE(closeWithEscape());
}

}  // namespace
