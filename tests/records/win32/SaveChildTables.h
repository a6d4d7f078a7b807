// The two tables the save child writes in turn. They differ in number and in
// scores, so that a file mixing them fails its checksum.
#pragma once

#include <list>

#include "ExampleSettingsFile.h"
#include "records/ScoreRecord.h"

inline std::list<ScoreRecord> firstSavedTable()
{
    return exampleRecords();
}

inline std::list<ScoreRecord> secondSavedTable()
{
    return {ScoreRecord{L"新記録", L"2013/1/2", 7000, 40}, ScoreRecord{L"名無しさん", L"2012/3/5", 1000, 12},
            ScoreRecord{L"三番", L"2013/1/1", 300, 3}};
}
