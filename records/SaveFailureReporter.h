// How the settings store tells the user that the settings file could not be
// written. The Windows program shows a message box; tests record calls.
#pragma once

#include <string>

class SaveFailureReporter {
public:
    virtual ~SaveFailureReporter() = default;

    // fullPath names the file that stays as it was.
    virtual void reportSaveFailure(const std::wstring& fullPath) = 0;
};
