// The score table dialog: a table whose checksum was damaged starts empty
// after the warning, Esc does not close the dialog, and the reset asks first.
#include <gtest/gtest.h>

#include <string>

#include "ids/ResourceIds.h"
#include "tests/e2e/DesktopWindows.h"
#include "tests/e2e/E2eTest.h"

namespace {

const wchar_t kNoData[] = L"データはありません";

StoredSettings twoEntries()
{
    StoredSettings stored;
    stored.records = {{L"先頭", L"2012/3/5", 1000, 12}, {L"二番", L"2012/3/4", 500, 7}};
    return stored;
}

using ScoreTableTest = E2eTest;

TEST_F(ScoreTableTest, DamagedChecksumIsReportedAndTheTableStartsEmpty)
{
    settingsFile_.write(twoEntries());
    settingsFile_.writeValue(L"Brixol", L"CheckSum", L"191944151");
    ASSERT_NO_FATAL_FAILURE(launchBrixol());

    const HWND warning = awaitDialog(L"エラー");
    ASSERT_NE(warning, nullptr);
    EXPECT_TRUE(hasText(warning, L"スコアデータに異常が見つかりました"));
    answer(warning, IDOK, "the damaged-data message");
    ASSERT_NO_FATAL_FAILURE(awaitMainWindow());

    pressKey('R');
    const HWND table = awaitDialog(L"成績表");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(dialogItemText(table, IDC_RESULTS_TEXT), kNoData);
    brixol_->press(table, VK_ESCAPE);
    EXPECT_FALSE(brixol_->waitUntilClosed(table, absenceWaitMs)) << "Esc closed the score table";
    answer(table, IDC_RESULTS_CLOSE, "the score table");
    ASSERT_NO_FATAL_FAILURE(closeWithEscape());

    EXPECT_EQ(settingsFile_.value(L"Brixol", L"HighScoreNum"), L"0");
    EXPECT_EQ(settingsFile_.value(L"Brixol", L"CheckSum"), L"0");
}

TEST_F(ScoreTableTest, ResetAsksFirstAndEmptiesTheTableOnlyOnYes)
{
    settingsFile_.write(twoEntries());
    ASSERT_NO_FATAL_FAILURE(startBrixol());

    pressKey('R');
    const HWND table = awaitDialog(L"成績表");
    ASSERT_NE(table, nullptr);
    const std::wstring rows = dialogItemText(table, IDC_RESULTS_TEXT);
    EXPECT_NE(rows.find(L"先頭"), std::wstring::npos) << narrow(rows);
    EXPECT_NE(rows.find(L"二番"), std::wstring::npos) << narrow(rows);

    struct Answer {
        int button;
        const char* name;
    };
    for (const Answer& reply : {Answer{IDNO, "No"}, Answer{IDYES, "Yes"}}) {
        SCOPED_TRACE(reply.name);
        postControlClick(table, IDC_RESULTS_RESET);
        const HWND confirm = awaitDialog(L"確認");
        ASSERT_NE(confirm, nullptr);
        EXPECT_TRUE(hasText(confirm, L"成績表をクリアしますか？"));
        answer(confirm, reply.button, "the confirmation");
        if (reply.button == IDNO) {
            EXPECT_FALSE(waitUntil([&] { return dialogItemText(table, IDC_RESULTS_TEXT) != rows; }, absenceWaitMs))
                << narrow(dialogItemText(table, IDC_RESULTS_TEXT));
        } else {
            EXPECT_TRUE(waitUntil([&] { return dialogItemText(table, IDC_RESULTS_TEXT) == kNoData; },
                                  BrixolProcess::windowTimeoutMs))
                << narrow(dialogItemText(table, IDC_RESULTS_TEXT));
        }
    }
    answer(table, IDC_RESULTS_CLOSE, "the score table");
    ASSERT_NO_FATAL_FAILURE(closeWithEscape());

    EXPECT_EQ(settingsFile_.value(L"Brixol", L"HighScoreNum"), L"0");
    EXPECT_EQ(settingsFile_.value(L"Brixol", L"CheckSum"), L"0");
}

}  // namespace
