// Tells the user about damaged score data, or a settings file that could not
// be read and was kept aside, with a message box over the program's window.
#pragma once

#include "records/DamagedDataReporter.h"
#include "records/MessageBoxOwner.h"

class MessageBoxDamagedDataReporter : public DamagedDataReporter, public MessageBoxOwner {
public:
    // Both modal; they return when the user has closed the box.
    void reportDamagedScores() override;
    void reportUnreadFileKept(const std::wstring& fullPath, const std::wstring& backupPath) override;
};
