// The frame of every end-to-end case: an empty directory of its own, the
// settings file in it, Brixol.exe started there, and on failure a screenshot
// in the build directory.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/e2e/BrixolProcess.h"
#include "tests/support/win32/TemporaryDirectory.h"
#include "tests/e2e/SettingsFile.h"

class E2eTest : public ::testing::Test {
protected:
    // How long a game of hard drops may take to end, on a slow wine.
    static constexpr DWORD gameTimeoutMs = 60000;
    // How long the program is given to do what it must not do (close a
    // dialog, open one); when it does, it does so within milliseconds.
    static constexpr DWORD absenceWaitMs = 1000;

    void TearDown() override;

    // Starts the program; launchBrixol alone when something is expected
    // before its window shows. Wrap in ASSERT_NO_FATAL_FAILURE.
    void launchBrixol();
    void startBrixol();
    // The visible main window, or a failure.
    void awaitMainWindow();

    // The visible dialog or message box of the program with this caption;
    // null after a failure that lists the windows there were.
    HWND awaitDialog(const wchar_t* caption, DWORD timeoutMs = BrixolProcess::windowTimeoutMs);
    // Waits for the window to disappear; a failure otherwise.
    void expectClosed(HWND window, const char* what);
    // Presses a button of a dialog or message box (IDOK, IDYES, …) and waits
    // until the box has gone.
    void answer(HWND box, int buttonId, const char* what);

    void pressKey(WORD virtualKey) { brixol_->press(window_, virtualKey); }
    // Esc on the main window, which must end the program normally.
    void closeWithEscape();
    // S, then hard drops until the game-over message box shows; null after a
    // failure.
    HWND playUntilGameOver();

    TemporaryDirectory directory_{TemporaryDirectory::Use::KeepCurrent};
    SettingsFile settingsFile_{directory_.path()};
    std::unique_ptr<BrixolProcess> brixol_;
    HWND window_ = nullptr;

private:
    void saveFailureScreenshot() const;
};

// A message box's or a dialog's texts contain this text.
::testing::AssertionResult hasText(HWND dialog, const std::wstring& expected);
