// The probe of MenuProbe.h loaded into the process that owns a window, and
// the shared memory it answers through: one query at a time.
#pragma once

#include <windows.h>

#include <string>

#include "tests/e2e/MenuProbe.h"

class ProgramProbe {
public:
    // Loads the probe into the process that owns the window.
    explicit ProgramProbe(HWND mainWindow);
    ~ProgramProbe();
    ProgramProbe(const ProgramProbe&) = delete;
    ProgramProbe& operator=(const ProgramProbe&) = delete;

    bool ready() const { return shared_ != nullptr && hook_ != nullptr; }
    const std::string& error() const { return error_; }

    // Posts the query (a message name of MenuProbe.h) to the window with
    // argument and lParam and waits for its answer; null when none comes in
    // time.
    const MenuProbeAnswer* ask(const wchar_t* query, WORD argument, LPARAM lParam);

private:
    HWND window_;
    HMODULE probe_ = nullptr;
    HHOOK hook_ = nullptr;
    HANDLE mapping_ = nullptr;
    MenuProbeAnswer* shared_ = nullptr;
    LONG serial_ = 0;
    std::string error_;
};
