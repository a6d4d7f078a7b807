// Tells the user about damaged score data with a message box over the main
// window.
#pragma once

#include "records/DamagedDataReporter.h"

class MessageBoxDamagedDataReporter : public DamagedDataReporter {
public:
    // Modal; returns when the user has closed the box.
    void reportDamagedScores() override;
};
