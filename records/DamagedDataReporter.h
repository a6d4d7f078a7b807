// How the settings store tells the user about stored data it could not take
// as it was: scores tampered with or damaged, or a file it could not read at
// all. The Windows program shows message boxes; tests record calls.
#pragma once

#include <string>

class DamagedDataReporter {
public:
    virtual ~DamagedDataReporter() = default;

    // Returns once the user has acknowledged the message; the store discards
    // the entries afterwards.
    virtual void reportDamagedScores() = 0;

    // The file at fullPath could not be read at the start, so the program
    // ran with the defaults; the first save that replaced it kept it first,
    // byte for byte, at backupPath. Returns once the user has acknowledged.
    virtual void reportUnreadFileKept(const std::wstring& fullPath, const std::wstring& backupPath) = 0;
};
