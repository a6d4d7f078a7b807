// The two-entry settings file used across the records tests, as fields and as
// the lines that saving it into an empty directory must produce.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "records/SettingsStore.h"

// The "CheckSum" of the scores 1000 and 500, in that order.
constexpr std::uint32_t kExampleCheckSum = 191944150u;

inline std::list<ScoreRecord> exampleRecords()
{
    return {ScoreRecord{L"名無しさん", L"2012/3/5", 1000, 12}, ScoreRecord{L"ぶろっく太郎", L"2012/3/4", 500, 7}};
}

inline void fillWithExample(SettingsStore& store)
{
    store.sound = true;
    store.guide = false;
    store.windowLeft = 120;
    store.windowTop = 80;
    store.records = exampleRecords();
}

inline std::vector<std::wstring> exampleFileLines()
{
    return {
        L"[Brixol]",
        L"Sound=1",
        L"Guide=0",
        L"WindowLeft=120",
        L"WindowTop=80",
        L"HighScoreNum=2",
        L"CheckSum=191944150",
        L"[HighScore0]",
        L"Name=名無しさん",
        L"Date=2012/3/5",
        L"Score=1000",
        L"Lines=12",
        L"[HighScore1]",
        L"Name=ぶろっく太郎",
        L"Date=2012/3/4",
        L"Score=500",
        L"Lines=7",
    };
}
