// Counts the damaged-data reports instead of showing them.
#pragma once

#include "records/DamagedDataReporter.h"

class RecordingReporter : public DamagedDataReporter {
public:
    void reportDamagedScores() override { ++reports; }

    int reports = 0;
};
