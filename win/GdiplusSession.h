// GDI+ for the process while a session lives. The program's entry point owns
// one for the whole run, so that GDI+ shuts down after the last window has
// gone, never during static destruction; a test program that draws owns one
// for all its tests. Code that draws with GDI+ first asks whether one runs.
#pragma once

#include <windows.h>

class GdiplusSession {
public:
    // Starts GDI+; a failed start leaves the session not started.
    GdiplusSession();
    ~GdiplusSession();

    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    bool started() const { return started_; }

    // Whether a started session lives now, on any thread.
    static bool running();

private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};
