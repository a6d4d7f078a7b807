// Tells the user that the settings file could not be written, with a message
// box over the program's window.
#pragma once

#include "records/MessageBoxOwner.h"
#include "records/SaveFailureReporter.h"

class MessageBoxSaveFailureReporter : public SaveFailureReporter, public MessageBoxOwner {
public:
    // Modal; returns when the user has closed the box.
    void reportSaveFailure(const std::wstring& fullPath) override;
};
