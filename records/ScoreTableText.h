// The score table as the block of aligned text the score table dialog shows.
#pragma once

#include <list>
#include <string>

#include "records/ScoreRecord.h"

// One row per entry, ranked from 1, each followed by a blank line; a notice
// when there is no entry. Columns are padded on the left to fixed widths in
// UTF-16 code units (the units the Windows text control counts) and widen for
// values that do not fit.
std::wstring buildScoreTableText(const std::list<ScoreRecord>& records);
