// The live high-score table: best score first, equal scores in order of
// arrival, at most capacity entries after any insertion.
#pragma once

#include <cstdint>
#include <list>
#include <string>

#include "records/ScoreRecord.h"

class HighScoreTable {
public:
    static constexpr std::int32_t capacity = 5;

    // Whether a finished game with this score earns an entry. A score of 0
    // never does, nor one that only equals the lowest entry of a full table.
    bool qualifies(std::int32_t score) const;
    // Adds the entry after all entries with an equal or higher score and drops
    // the lowest beyond capacity. Also puts a table loaded out of order in order.
    void addRecord(std::int32_t score, const std::wstring& name, const std::wstring& date, std::int32_t lines);
    void clear();

    // Copied whole to and from the settings store. It may hold more than
    // capacity entries, out of order, when the settings file did.
    std::list<ScoreRecord> records;
};
