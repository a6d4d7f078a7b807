// GDI+ for the whole process: started once, on first use, and shut down at
// exit. Everything that calls GDI+ (picture loading, caption text) asks for it
// first.
#pragma once

#include <windows.h>

class GdiplusSession {
public:
    // Starts GDI+ on the first call, from any thread: the function-local
    // static is the process-wide lock. A failed start is not retried.
    static const GdiplusSession& instance();

    bool started() const { return started_; }

    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    GdiplusSession();
    ~GdiplusSession();

    ULONG_PTR token_ = 0;
    bool started_ = false;
};
