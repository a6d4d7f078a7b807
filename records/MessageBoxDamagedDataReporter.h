// Tells the user about damaged score data with a message box over the
// program's window.
#pragma once

#include <windows.h>

#include "records/DamagedDataReporter.h"

class MessageBoxDamagedDataReporter : public DamagedDataReporter {
public:
    // The window that owns the box; without one the box has no owner. The
    // settings are loaded while that window is being created, so it is set
    // then.
    void setOwner(HWND owner) { owner_ = owner; }

    // Modal; returns when the user has closed the box.
    void reportDamagedScores() override;

private:
    HWND owner_ = nullptr;
};
