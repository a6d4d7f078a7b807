#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/DateText.h"
#include "records/ScoreTableText.h"

namespace {

TEST(ScoreTableText, EmptyTableShowsANotice)
{
    EXPECT_EQ(buildScoreTableText({}), L"データはありません");
}

TEST(ScoreTableText, RowsArePaddedAndWidenWhenNeeded)
{
    struct Case {
        const char* what;
        ScoreRecord record;
        std::wstring row;
    };
    const Case cases[] = {
        {"the default name", {L"名無しさん", L"2012/3/5", 1000, 12}, L" 1:     名無しさん  1000  12    2012/3/5\n\n"},
        {"a name of exactly ten", {L"0123456789", L"2012/3/5", 1000, 12}, L" 1:0123456789  1000  12    2012/3/5\n\n"},
        {"a long name pushes the row", {L"ABCDEFGHIJKL", L"2012/3/5", 1000, 12},
         L" 1:ABCDEFGHIJKL  1000  12    2012/3/5\n\n"},
        {"a seven-digit score", {L"名無しさん", L"2012/3/5", 1234567, 12}, L" 1:     名無しさん1234567  12    2012/3/5\n\n"},
        {"a five-digit line count", {L"名無しさん", L"2012/3/5", 1000, 12345},
         L" 1:     名無しさん  100012345    2012/3/5\n\n"},
        {"an empty name and date", {L"", L"", 0, 0}, L" 1:               0   0            \n\n"},
        {"a negative score", {L"x", L"2012/12/31", -50, 3}, L" 1:         x   -50   3  2012/12/31\n\n"},
        // One character beyond the basic plane is a surrogate pair: two units.
        {"a surrogate pair counts twice", {L"\U00020BB7野家", L"2012/3/5", 1000, 12},
         L" 1:      \U00020BB7野家  1000  12    2012/3/5\n\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(buildScoreTableText({c.record}), c.row) << c.what;
    }
}

std::vector<std::wstring> rowsOf(const std::wstring& text)
{
    std::vector<std::wstring> rows;
    std::size_t start = 0;
    for (std::size_t end = text.find(L"\n\n"); end != std::wstring::npos; end = text.find(L"\n\n", start)) {
        rows.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "text after the last row";
    return rows;
}

TEST(ScoreTableText, EveryEntryGetsARankedRowInTableOrder)
{
    std::list<ScoreRecord> records;
    for (int i = 0; i < 7; ++i) {
        records.push_back({L"p" + std::to_wstring(i), L"2012/3/5", 700 - 100 * i, i});
    }
    const std::vector<std::wstring> rows = rowsOf(buildScoreTableText(records));
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0], L" 1:        p0   700   0    2012/3/5");
    EXPECT_EQ(rows[5], L" 6:        p5   200   5    2012/3/5");
    EXPECT_EQ(rows[6], L" 7:        p6   100   6    2012/3/5");
}

TEST(DateText, YearMonthDayWithoutLeadingZeros)
{
    struct Case {
        int year;
        int month;
        int day;
        const wchar_t* text;
    };
    for (const Case& c : {Case{2012, 3, 5, L"2012/3/5"}, Case{1999, 12, 31, L"1999/12/31"},
                          Case{2024, 10, 1, L"2024/10/1"}}) {
        EXPECT_EQ(formatDateText(c.year, c.month, c.day), c.text);
    }
}

}  // namespace
