// Test cases run again at another system DPI. Wine takes the system DPI from
// the registry ("LogPixels" of HKCU\Control Panel\Desktop) when a process
// starts, so a test program starts itself again, filtered to the cases that
// should hold at every DPI, with the value set until the new process has
// read it. Windows changes its DPI only at the next log-on, so there these
// runs are skipped.
#pragma once

#include <string>
#include <vector>

#include "render/PixelScaling.h"
#include "tests/support/win32/PixelCanvas.h"

// The vertical pixels per logical inch of the screen, as this process sees it.
int screenDpi();

// Whether a process started now takes its DPI from the registry value.
bool systemDpiFollowsTheRegistry();

// Set in a process started by runThisProgramAtDpi: the DPI it was started at;
// 0 otherwise.
int requestedDpi();

struct ChildRun {
    bool started = false;
    bool finished = false;  // false: ended by force at the time limit
    unsigned long exitCode = 0;
    // What the process wrote to its standard output and error.
    std::string output;
};

// Starts this test program again at dpi with --gtest_filter=gtestFilter and
// waits for it, within timeLimitMs. The process fails at once, before any
// case, if it does not see that DPI. The registry value is put back as it
// was as soon as the process has confirmed its DPI (or has ended), so other
// programs of the same wine prefix keep theirs.
ChildRun runThisProgramAtDpi(int dpi, const std::string& gtestFilter, unsigned long timeLimitMs = 120000);

// For failure messages: the exit code and the output of the run.
std::string describe(const ChildRun& run);

// Why this process starts no runs at other DPIs (it is one itself, or the
// system takes a new DPI only at the next log-on); null when it may.
const char* whyNoRunsAtOtherDpis();

// Runs gtestFilter in this program again at each DPI: prints what a run
// that passed printed, and fails the test with the output of one that did
// not.
void expectPassingRunsAtDpis(const std::vector<int>& dpis, const std::string& gtestFilter);

// The value of an environment variable of this process; empty when unset.
std::wstring environmentValue(const wchar_t* name);

// Pictures that a test draws at one DPI for the runs at other DPIs to
// compare with, in a file of their own. False, or no pictures, on failure.
PixelImage pictureOf(const PixelCanvas& canvas);
bool writeReferencePictures(const std::wstring& path, const std::vector<PixelImage>& pictures);
std::vector<PixelImage> readReferencePictures(const std::wstring& path);
