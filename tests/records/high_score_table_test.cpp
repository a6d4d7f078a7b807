#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ScoreRecordComparison.h"
#include "records/HighScoreTable.h"

namespace {

// Entries named after their position of arrival: "#0", "#1", ...
HighScoreTable loaded(const std::vector<std::int32_t>& scores)
{
    HighScoreTable table;
    int arrival = 0;
    for (const std::int32_t score : scores) {
        table.records.push_back({L"#" + std::to_wstring(arrival++), L"2012/3/5", score, 1});
    }
    return table;
}

std::vector<std::int32_t> scoresOf(const HighScoreTable& table)
{
    std::vector<std::int32_t> scores;
    for (const ScoreRecord& record : table.records) {
        scores.push_back(record.score);
    }
    return scores;
}

std::vector<std::wstring> namesOf(const HighScoreTable& table)
{
    std::vector<std::wstring> names;
    for (const ScoreRecord& record : table.records) {
        names.push_back(record.name);
    }
    return names;
}

TEST(HighScoreTable, Qualifies)
{
    struct Case {
        const char* what;
        std::vector<std::int32_t> table;
        std::int32_t score;
        bool expected;
    };
    const Case cases[] = {
        {"zero on an empty table", {}, 0, false},
        {"zero on a table with room", {500}, 0, false},
        {"anything else on an empty table", {}, 1, true},
        {"below all of a table with room", {1000, 900, 800, 700}, 1, true},
        {"equal to the lowest of a full table", {700, 600, 500, 400, 300}, 300, false},
        {"just above the lowest of a full table", {700, 600, 500, 400, 300}, 301, true},
        {"below the lowest of a full table", {700, 600, 500, 400, 300}, 299, false},
        {"above a negative entry (signed)", {700, 600, 500, 400, -10}, 5, true},
        {"against a loaded table of seven", {900, 800, 700, 600, 500, 400, 100}, 150, true},
        {"equal to the lowest of seven", {900, 800, 700, 600, 500, 400, 100}, 100, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(loaded(c.table).qualifies(c.score), c.expected) << c.what;
    }
}

TEST(HighScoreTable, EqualScoresKeepTheirOrderOfArrival)
{
    HighScoreTable table;
    table.addRecord(500, L"first", L"d", 1);
    table.addRecord(700, L"high", L"d", 1);
    table.addRecord(500, L"second", L"d", 1);
    table.addRecord(500, L"third", L"d", 1);
    EXPECT_EQ(namesOf(table), (std::vector<std::wstring>{L"high", L"first", L"second", L"third"}));
}

TEST(HighScoreTable, AddRecordKeepsAllFields)
{
    HighScoreTable table;
    table.addRecord(1000, L"名無しさん", L"2012/3/5", 12);
    EXPECT_EQ(table.records, (std::list<ScoreRecord>{{L"名無しさん", L"2012/3/5", 1000, 12}}));
}

TEST(HighScoreTable, InsertionSortsAndTrims)
{
    struct Case {
        const char* what;
        std::vector<std::int32_t> before;
        std::int32_t added;
        std::vector<std::int32_t> after;
    };
    const Case cases[] = {
        {"full table drops its lowest", {700, 600, 500, 400, 300}, 301, {700, 600, 500, 400, 301}},
        {"room left: below all goes last", {1000, 900}, 5, {1000, 900, 5}},
        {"new best goes first", {700, 600, 500, 400, 300}, 800, {800, 700, 600, 500, 400}},
        {"loaded seven, new one ranks", {100, 900, 400, 800, 50, 700, 600}, 650, {900, 800, 700, 650, 600}},
        {"loaded seven, new one does not rank", {100, 900, 400, 800, 50, 700, 600}, 450, {900, 800, 700, 600, 450}},
        {"loaded seven, new one below the best five", {100, 900, 400, 800, 50, 700, 600}, 200, {900, 800, 700, 600, 400}},
    };
    for (const Case& c : cases) {
        HighScoreTable table = loaded(c.before);
        table.addRecord(c.added, L"new", L"d", 1);
        EXPECT_EQ(scoresOf(table), c.after) << c.what;
    }
}

TEST(HighScoreTable, LoadedTableKeepsTheOrderOfEqualScoresWhenSorted)
{
    HighScoreTable table = loaded({300, 500, 300, 500, 100, 300, 500});
    table.addRecord(500, L"new", L"d", 1);
    EXPECT_EQ(namesOf(table), (std::vector<std::wstring>{L"#1", L"#3", L"#6", L"new", L"#0"}));
}

TEST(HighScoreTable, ClearEmptiesTheTable)
{
    HighScoreTable table = loaded({700, 600});
    table.clear();
    EXPECT_TRUE(table.records.empty());
    EXPECT_TRUE(table.qualifies(1));
}

}  // namespace
