// Lets tests compare entries field by field and print them when they differ.
#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include "records/ScoreRecord.h"

inline bool operator==(const ScoreRecord& a, const ScoreRecord& b)
{
    return a.name == b.name && a.date == b.date && a.score == b.score && a.lines == b.lines;
}

inline void PrintTo(const ScoreRecord& record, std::ostream* out)
{
    *out << "{" << ::testing::PrintToString(record.name) << ", " << ::testing::PrintToString(record.date) << ", "
         << record.score << ", " << record.lines << "}";
}
