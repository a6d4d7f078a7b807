// The end of a game: the game-over message, the name of a new high score
// with its length limit, the score table that follows, and the entry that
// closing the program leaves in the settings file.
#include <gtest/gtest.h>

#include <cstdint>
#include <list>
#include <sstream>
#include <string>

#include "records/ScoreChecksum.h"
#include "ids/ResourceIds.h"
#include "tests/e2e/DesktopWindows.h"
#include "tests/e2e/E2eTest.h"

namespace {

// Japanese, so that the name also crosses the settings file's encoding.
const std::wstring kTenCharacters = L"ぶりくそる12345";
const std::wstring kElevenCharacters = L"ぶりくそる123456";

std::wstring today()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return std::to_wstring(now.wYear) + L"/" + std::to_wstring(now.wMonth) + L"/" + std::to_wstring(now.wDay);
}

using GameOverTest = E2eTest;

TEST_F(GameOverTest, HighScoreAsksForANameOfAtMostTenCharactersAndShowsItInTheTable)
{
    ASSERT_EQ(kTenCharacters.size(), 10u);
    ASSERT_EQ(kElevenCharacters.size(), 11u);
    ASSERT_NO_FATAL_FAILURE(startBrixol());

    const HWND gameOver = playUntilGameOver();
    ASSERT_NE(gameOver, nullptr);
    EXPECT_TRUE(hasText(gameOver, L"ゲームオーバー！"));
    answer(gameOver, IDOK, "the game-over message");

    const HWND nameDialog = awaitDialog(L"成績");
    ASSERT_NE(nameDialog, nullptr);
    EXPECT_EQ(dialogItemText(nameDialog, IDC_RECORD_NAME), L"名無しさん");

    ASSERT_TRUE(setDialogItemText(nameDialog, IDC_RECORD_NAME, kElevenCharacters));
    postControlClick(nameDialog, IDOK);
    const HWND tooLong = awaitDialog(L"Error");
    ASSERT_NE(tooLong, nullptr);
    EXPECT_TRUE(hasText(tooLong, L"文字数は10文字を超えることはできません"));
    answer(tooLong, IDOK, "the \"Error\" message");
    EXPECT_FALSE(brixol_->waitUntilClosed(nameDialog, absenceWaitMs))
        << "the name dialog closed on an 11-character name";

    ASSERT_TRUE(setDialogItemText(nameDialog, IDC_RECORD_NAME, kTenCharacters));
    const std::wstring dayBefore = today();
    postControlClick(nameDialog, IDOK);
    expectClosed(nameDialog, "the name dialog");
    const HWND table = awaitDialog(L"成績表");
    ASSERT_NE(table, nullptr);
    const std::wstring dayAfter = today();
    const std::wstring tableText = dialogItemText(table, IDC_RESULTS_TEXT);
    answer(table, IDC_RESULTS_CLOSE, "the score table");
    ASSERT_NO_FATAL_FAILURE(closeWithEscape());

    int damagedReports = 0;
    const std::list<ScoreRecord> records = settingsFile_.loadRecords(&damagedReports);
    EXPECT_EQ(damagedReports, 0) << "the stored checksum does not match the stored score";
    ASSERT_EQ(records.size(), 1u);
    const ScoreRecord& entry = records.front();
    EXPECT_EQ(entry.name, kTenCharacters);
    EXPECT_GT(entry.score, 0) << "hard drops score a point per cell";
    EXPECT_TRUE(entry.date == dayBefore || entry.date == dayAfter) << narrow(entry.date);
    EXPECT_EQ(settingsFile_.value(L"Brixol", L"HighScoreNum"), L"1");
    EXPECT_EQ(settingsFile_.value(L"Brixol", L"CheckSum"), std::to_wstring(computeScoreChecksum(records)));

    // The table showed the entry's row: rank, name, score, lines and date.
    const std::size_t name = tableText.find(kTenCharacters);
    ASSERT_NE(name, std::wstring::npos) << "the name is not in the score table:\n" << narrow(tableText);
    EXPECT_EQ(tableText.substr(0, 3), L" 1:") << narrow(tableText);
    std::wistringstream row(tableText.substr(name + kTenCharacters.size()));
    std::int32_t shownScore = -1;
    std::int32_t shownLines = -1;
    std::wstring shownDate;
    row >> shownScore >> shownLines >> shownDate;
    EXPECT_EQ(shownScore, entry.score) << narrow(tableText);
    EXPECT_EQ(shownLines, entry.lines) << narrow(tableText);
    EXPECT_EQ(shownDate, entry.date) << narrow(tableText);
}

TEST_F(GameOverTest, ScoreBelowAFullTableShowsOnlyTheGameOverMessage)
{
    // Far beyond what a game of hard drops without cleared lines can score.
    StoredSettings stored;
    stored.records = {{L"一位", L"2012/3/5", 900000, 90}, {L"二位", L"2012/3/4", 800000, 80},
                      {L"三位", L"2012/3/3", 700000, 70}, {L"四位", L"2012/3/2", 600000, 60},
                      {L"五位", L"2012/3/1", 500000, 50}};
    settingsFile_.write(stored);
    SettingsFile::Sections before = settingsFile_.read();
    ASSERT_NO_FATAL_FAILURE(startBrixol());

    const HWND gameOver = playUntilGameOver();
    ASSERT_NE(gameOver, nullptr);
    EXPECT_TRUE(hasText(gameOver, L"ゲームオーバー！"));
    answer(gameOver, IDOK, "the game-over message");
    EXPECT_EQ(brixol_->waitForDialog(L"成績", absenceWaitMs), nullptr) << "a name was asked for a score that cannot enter";
    EXPECT_EQ(brixol_->findDialog(L"成績表"), nullptr) << "the score table opened without a new entry";
    ASSERT_NO_FATAL_FAILURE(closeWithEscape());

    SettingsFile::Sections after = settingsFile_.read();
    EXPECT_EQ(after[L"Brixol"][L"HighScoreNum"], L"5");
    EXPECT_EQ(after[L"Brixol"][L"CheckSum"], before[L"Brixol"][L"CheckSum"]);
    for (int index = 0; index < 5; ++index) {
        const std::wstring section = L"HighScore" + std::to_wstring(index);
        EXPECT_EQ(after[section], before[section]) << narrow(section);
    }
    int damagedReports = 0;
    EXPECT_EQ(settingsFile_.loadRecords(&damagedReports).size(), 5u);
    EXPECT_EQ(damagedReports, 0);
}

}  // namespace
