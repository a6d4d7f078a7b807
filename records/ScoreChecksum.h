// The checksum that protects the stored scores against editing.
#pragma once

#include <cstdint>
#include <list>

#include "records/ScoreRecord.h"

// The settings file's "CheckSum": a CRC over the scores only, in list order,
// each as its 4 bytes, little-endian. Not the standard CRC-32, although the
// reflected polynomial 0xEDB88320 and the complement at start and end are the
// same: each byte is taken as a signed char, and the accumulator shifts right
// as a signed int. A table is valid only when its "CheckSum" equals this
// function of its scores, so every step of it is part of the file format.
std::uint32_t computeScoreChecksum(const std::list<ScoreRecord>& records);
