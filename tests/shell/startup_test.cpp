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

namespace {

// Refuses to create windows of the main window's class on this thread, as
// when the system is out of window resources.
class MainWindowRefusal {
public:
    MainWindowRefusal()
        : hook_(SetWindowsHookExW(WH_CBT, &MainWindowRefusal::refuse, nullptr, GetCurrentThreadId()))
    {
    }
    ~MainWindowRefusal()
    {
        if (hook_ != nullptr)
            UnhookWindowsHookEx(hook_);
    }
    MainWindowRefusal(const MainWindowRefusal&) = delete;
    MainWindowRefusal& operator=(const MainWindowRefusal&) = delete;

    bool active() const { return hook_ != nullptr; }

private:
    static LRESULT CALLBACK refuse(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND) {
            wchar_t name[16] = {};
            GetClassNameW(reinterpret_cast<HWND>(wParam), name, 16);
            if (std::wstring(name) == CMainWindow::className)
                return 1;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    HHOOK hook_;
};

TEST(Startup, AMainWindowThatCannotBeMadeIsToldAndEndsWithAnError)
{
    const TemporaryDirectory directory;
    const MainWindowRefusal refusal;
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
