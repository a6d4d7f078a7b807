#include "records/HighScoreTable.h"

#include <algorithm>

bool HighScoreTable::qualifies(std::int32_t score) const
{
    if (score == 0) {
        return false;
    }
    if (records.size() < static_cast<std::size_t>(capacity)) {
        return true;
    }
    return std::any_of(records.begin(), records.end(),
                       [score](const ScoreRecord& record) { return record.score < score; });
}

void HighScoreTable::addRecord(std::int32_t score, const std::wstring& name, const std::wstring& date,
                               std::int32_t lines)
{
    ScoreRecord record;
    record.name = name;
    record.date = date;
    record.score = score;
    record.lines = lines;
    records.push_back(record);
    // std::list::sort is stable, which keeps equal scores in order of arrival.
    records.sort([](const ScoreRecord& a, const ScoreRecord& b) { return a.score > b.score; });
    while (records.size() > static_cast<std::size_t>(capacity)) {
        records.pop_back();
    }
}

void HighScoreTable::clear()
{
    records.clear();
}
