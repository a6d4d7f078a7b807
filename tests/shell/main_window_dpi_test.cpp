// The main window at other system DPIs: the frame, caption and menu bar grow
// with the DPI (at 144 DPI the menu bar may wrap onto two lines), the board
// does not, so the client area stays 248 x 352.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/win32/SystemDpi.h"

namespace {

TEST(MainWindowAtRaisedDpis, ClientAreaIsTheBoardsAt120And144Dpi)
{
    if (requestedDpi() != 0)
        GTEST_SKIP() << "already a run at a requested DPI";
    if (!systemDpiFollowsTheRegistry())
        GTEST_SKIP() << "this system changes its DPI only at the next log-on";
    for (const int dpi : {120, 144}) {
        const ChildRun run = runThisProgramAtDpi(
            dpi, "MainWindowTest.ClientAreaIsTheBoardsSizeAtTheStoredPosition");
        if (run.finished && run.exitCode == 0)
            std::printf("%s", run.output.c_str());
        else
            ADD_FAILURE() << dpi << " DPI: " << describe(run);
    }
}

}  // namespace
