// How the settings store tells the user that the stored scores were tampered
// with or damaged. The Windows program shows a message box; tests record calls.
#pragma once

class DamagedDataReporter {
public:
    virtual ~DamagedDataReporter() = default;

    // Returns once the user has acknowledged the message; the store discards
    // the entries afterwards.
    virtual void reportDamagedScores() = 0;
};
