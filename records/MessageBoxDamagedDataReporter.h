// Tells the user about damaged score data with a message box over the
// program's window.
#pragma once

#include "records/DamagedDataReporter.h"
#include "records/MessageBoxOwner.h"

class MessageBoxDamagedDataReporter : public DamagedDataReporter, public MessageBoxOwner {
public:
    // Modal; returns when the user has closed the box.
    void reportDamagedScores() override;
};
