// Counts the damaged-data reports and notes the save-failure and unread-file
// reports instead of showing them.
#pragma once

#include <string>
#include <vector>

#include "records/DamagedDataReporter.h"
#include "records/SaveFailureReporter.h"

class RecordingReporter : public DamagedDataReporter {
public:
    void reportDamagedScores() override { ++reports; }
    void reportUnreadFileKept(const std::wstring& fullPath, const std::wstring& backupPath) override
    {
        unreadFilesKept.push_back({fullPath, backupPath});
    }

    struct UnreadFileKept {
        std::wstring fullPath;
        std::wstring backupPath;
    };

    int reports = 0;
    std::vector<UnreadFileKept> unreadFilesKept;  // one per report
};

class RecordingSaveFailureReporter : public SaveFailureReporter {
public:
    void reportSaveFailure(const std::wstring& fullPath) override { paths.push_back(fullPath); }

    std::vector<std::wstring> paths;  // one per report
};
