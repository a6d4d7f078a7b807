// The score table dialog, driven through its own modal loop.
#include <gtest/gtest.h>

#include <functional>
#include <list>
#include <string>

#include "tests/support/win32/DrivenDialog.h"
#include "tests/support/win32/UserActions.h"
#include "records/HighScoreTable.h"
#include "records/ScoreTableText.h"
#include "records/dialogs/ResultsDlg.h"
#include "ids/ResourceIds.h"
#include "win/Handles.h"

namespace {

const wchar_t noEntries[] = L"データはありません";

HighScoreTable tableOf(const std::list<ScoreRecord>& records)
{
    HighScoreTable table;
    table.records = records;
    return table;
}

const std::list<ScoreRecord> twoEntries = {
    {L"名無しさん", L"2012/3/5", 1000, 12},
    {L"Brixolist", L"2026/1/31", 250, 3},
};

bool sameRecords(const std::list<ScoreRecord>& a, const std::list<ScoreRecord>& b)
{
    if (a.size() != b.size())
        return false;
    auto other = b.begin();
    for (const ScoreRecord& record : a) {
        if (record.name != other->name || record.date != other->date || record.score != other->score ||
            record.lines != other->lines)
            return false;
        ++other;
    }
    return true;
}

DrivenDialog drivenResultsDialog(CResultsDlg& dialog)
{
    return {L"成績表", [&dialog] { return dialog.showModal(nullptr); },
            [](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }};
}

TEST(ResultsDialog, ShowsTheTableAsText)
{
    std::list<ScoreRecord> five;
    std::list<ScoreRecord> seven;
    for (int i = 0; i < 7; ++i) {
        const ScoreRecord record{L"p" + std::to_wstring(i), L"2026/2/" + std::to_wstring(i + 1), 700 - 90 * i, i};
        if (i < 5)
            five.push_back(record);
        seven.push_back(record);
    }
    struct Case {
        const char* what;
        std::list<ScoreRecord> records;
    };
    const Case cases[] = {
        {"empty", {}},
        {"one entry", {{L"名無しさん", L"2012/3/5", 1000, 12}}},
        {"five entries", five},
        {"seven entries from a file", seven},
    };
    for (const Case& c : cases) {
        HighScoreTable table = tableOf(c.records);
        CResultsDlg dialog(table);
        const std::wstring expected = c.records.empty() ? noEntries : buildScoreTableText(c.records);
        runDriven(drivenResultsDialog(dialog), [&](HWND window, DWORD) {
            EXPECT_EQ(itemText(window, IDC_RESULTS_TEXT), expected) << c.what;
            click(window, IDC_RESULTS_CLOSE);
            EXPECT_TRUE(waitForClosed(window)) << c.what;
        });
    }
}

TEST(ResultsDialog, TableTextIsInTenPointMsGothic)
{
    HighScoreTable table = tableOf(twoEntries);
    CResultsDlg dialog(table);
    runDriven(drivenResultsDialog(dialog), [](HWND window, DWORD) {
        const LOGFONTW font = fontOf(GetDlgItem(window, IDC_RESULTS_TEXT));
        EXPECT_EQ(std::wstring(font.lfFaceName), L"ＭＳ ゴシック");
        const WindowDcScope screen(nullptr);
        EXPECT_EQ(font.lfHeight, -MulDiv(GetDeviceCaps(screen.get(), LOGPIXELSY), 100, 720));
        EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
        EXPECT_EQ(font.lfWeight, 0);
        EXPECT_EQ(font.lfUnderline, 0);
        click(window, IDC_RESULTS_CLOSE);
        EXPECT_TRUE(waitForClosed(window));
    });
}

TEST(ResultsDialog, ClosesByItsButtonEnterAndTheCloseBox)
{
    struct Case {
        const char* what;
        std::function<void(HWND)> close;
    };
    const Case cases[] = {
        {"閉じる", [](HWND window) { click(window, IDC_RESULTS_CLOSE); }},
        // The focus is on "閉じる" when the dialog opens.
        {"Enter", [](HWND window) { pressKey(window, VK_RETURN); }},
        {"close box", [](HWND window) { pressCloseBox(window); }},
    };
    for (const Case& c : cases) {
        HighScoreTable table = tableOf(twoEntries);
        CResultsDlg dialog(table);
        const INT_PTR result = runDriven(drivenResultsDialog(dialog), [&](HWND window, DWORD thread) {
            EXPECT_TRUE(waitUntil([&] { return focusIn(thread) == GetDlgItem(window, IDC_RESULTS_CLOSE); }))
                << c.what << ": focus on 閉じる";
            c.close(window);
            EXPECT_TRUE(waitForClosed(window)) << c.what;
        });
        EXPECT_EQ(result, 0) << c.what;
        EXPECT_TRUE(sameRecords(table.records, twoEntries)) << c.what;
    }
}

TEST(ResultsDialog, ResetAsksFirstAndClearsOnlyOnYes)
{
    struct Case {
        const char* what;
        std::list<ScoreRecord> records;
        int answer;
        std::list<ScoreRecord> left;
    };
    const Case cases[] = {
        {"No keeps the table", twoEntries, IDNO, twoEntries},
        {"Yes clears it", twoEntries, IDYES, {}},
        {"an empty table still asks", {}, IDYES, {}},
    };
    for (const Case& c : cases) {
        HighScoreTable table = tableOf(c.records);
        CResultsDlg dialog(table);
        const std::wstring before = c.records.empty() ? noEntries : buildScoreTableText(c.records);
        const std::wstring after = c.left.empty() ? noEntries : buildScoreTableText(c.left);
        runDriven(drivenResultsDialog(dialog), [&](HWND window, DWORD thread) {
            click(window, IDC_RESULTS_RESET);
            const HWND box = waitForDialog(thread, L"確認");
            ASSERT_NE(box, nullptr) << c.what << ": no question";
            EXPECT_EQ(GetWindow(box, GW_OWNER), window) << c.what;
            EXPECT_EQ(messageBoxText(box), L"成績表をクリアしますか？") << c.what;
            EXPECT_TRUE(IsWindowVisible(GetDlgItem(box, IDYES))) << c.what;
            EXPECT_TRUE(IsWindowVisible(GetDlgItem(box, IDNO))) << c.what;
            EXPECT_EQ(itemText(window, IDC_RESULTS_TEXT), before) << c.what << ": nothing changes before the answer";
            answer(box, c.answer);
            EXPECT_TRUE(waitForClosed(box)) << c.what;
            // The box is gone a moment before the dialog shows the outcome.
            EXPECT_TRUE(waitUntil([&] { return itemText(window, IDC_RESULTS_TEXT) == after; }))
                << c.what << ": shows " << (c.left.empty() ? "no entries" : "the entries");
            EXPECT_TRUE(IsWindowVisible(window)) << c.what << ": the dialog stays open";
            click(window, IDC_RESULTS_CLOSE);
            EXPECT_TRUE(waitForClosed(window)) << c.what;
        });
        EXPECT_TRUE(sameRecords(table.records, c.left)) << c.what;
    }
}

TEST(ResultsDialog, EscDoesNotCloseIt)
{
    HighScoreTable table = tableOf(twoEntries);
    CResultsDlg dialog(table);
    runDriven(drivenResultsDialog(dialog), [](HWND window, DWORD thread) {
        pressKey(window, VK_ESCAPE);
        // Handled after the key: the question comes only if the dialog is
        // still there.
        click(window, IDC_RESULTS_RESET);
        const HWND box = waitForDialog(thread, L"確認");
        ASSERT_NE(box, nullptr) << "the dialog did not survive Esc";
        answer(box, IDNO);
        EXPECT_TRUE(waitForClosed(box));
        click(window, IDC_RESULTS_CLOSE);
        EXPECT_TRUE(waitForClosed(window));
    });
}

}  // namespace
