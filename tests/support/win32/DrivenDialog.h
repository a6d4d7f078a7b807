// Runs a modal dialog on the test's thread while a script plays the user on
// a second thread, so that the dialog's own message loop handles everything.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct DrivenDialog {
    // The caption that tells the dialog apart.
    std::wstring caption;
    // Shows the dialog modally and returns its result.
    std::function<INT_PTR()> show;
    // Ends the dialog the way a user could; used when a script leaves it
    // open, so that a failing test fails instead of hanging.
    std::function<void(HWND dialog)> rescue;
};

// Shows the dialog and, once it is on screen, runs script(dialog, thread of
// the dialog) on a second thread. A dialog that does not appear, or that the
// script leaves open, is a test failure. Returns the dialog's result.
INT_PTR runDriven(const DrivenDialog& dialog, const std::function<void(HWND dialog, DWORD thread)>& script);
