// The program's start as a whole: a main window that cannot be made is told
// to the player, and the program ends with an error code, holding nothing.
#include <gtest/gtest.h>

#include <future>
#include <string>

#include "shell/MainWindow.h"
#include "shell/SettingsFileClaim.h"
#include "shell/Startup.h"
#include "tests/support/win32/TemporaryDirectory.h"
#include "tests/support/win32/UserActions.h"
#include "tests/support/win32/WindowCreationRefusal.h"

namespace {

TEST(Startup, AMainWindowThatCannotBeMadeIsToldAndEndsWithAnError)
{
    const TemporaryDirectory directory;
    const WindowCreationRefusal<CMainWindow::className> refusal;
    ASSERT_TRUE(refusal.active());
    const DWORD windowThread = GetCurrentThreadId();
    std::future<std::wstring> told = std::async(std::launch::async, [windowThread] {
        const HWND box = waitForDialog(windowThread, L"エラー");
        if (box == nullptr)
            return std::wstring();
        const std::wstring text = messageBoxText(box);
        answer(box, IDOK);
        return text;
    });

    const int exitCode = runBrixol(SW_SHOWNORMAL);
    const std::wstring text = told.get();
    EXPECT_NE(exitCode, 0);
    EXPECT_NE(text.find(L"ウィンドウを作成できなかった"), std::wstring::npos) << "no message, or another one";
    EXPECT_TRUE(std::async(std::launch::async, [] { return SettingsFileClaim(L"./Brixol.ini").held(); }).get())
        << "the settings file is still claimed";
    EXPECT_FALSE(directory.contains(L"Brixol.ini")) << "nothing was there to save";
}

}  // namespace
