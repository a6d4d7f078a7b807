// The checksum that protects the stored scores against editing.
#pragma once

#include <cstdint>
#include <list>

#include "records/ScoreRecord.h"

// Covers only the scores, in list order. Files already in use carry values of
// this exact function, so it must never change (it is not the standard CRC-32).
std::uint32_t computeScoreChecksum(const std::list<ScoreRecord>& records);
