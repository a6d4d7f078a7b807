// Tells the user that the settings file could not be written, with a message
// box over the main window.
#pragma once

#include "records/SaveFailureReporter.h"

class MessageBoxSaveFailureReporter : public SaveFailureReporter {
public:
    // Modal; returns when the user has closed the box.
    void reportSaveFailure(const std::wstring& fullPath) override;
};
