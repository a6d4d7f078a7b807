// Counts the damaged-data reports and notes the save-failure reports instead
// of showing them.
#pragma once

#include <string>
#include <vector>

#include "records/DamagedDataReporter.h"
#include "records/SaveFailureReporter.h"

class RecordingReporter : public DamagedDataReporter {
public:
    void reportDamagedScores() override { ++reports; }

    int reports = 0;
};

class RecordingSaveFailureReporter : public SaveFailureReporter {
public:
    void reportSaveFailure(const std::wstring& fullPath) override { paths.push_back(fullPath); }

    std::vector<std::wstring> paths;  // one per report
};
