// One entry of the high-score table, as stored in the settings file and shown
// in the score table.
#pragma once

#include <cstdint>
#include <string>

struct ScoreRecord {
    std::wstring name;
    std::wstring date;  // "year/month/day" text, never parsed
    std::int32_t score = 0;
    std::int32_t lines = 0;
};
