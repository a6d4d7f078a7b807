#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "records/MessageBoxDamagedDataReporter.h"
#include "records/MessageBoxSaveFailureReporter.h"

namespace {

// What a message box showed, taken from its window when it was activated.
struct SeenMessageBox {
    int count = 0;
    HWND owner = nullptr;
    std::wstring caption;
    std::vector<std::wstring> texts;    // of the static controls
    std::vector<std::wstring> buttons;  // their labels
    bool iconShown = false;
};

SeenMessageBox* seen = nullptr;

std::wstring windowText(HWND window)
{
    wchar_t buffer[256];
    const int length = GetWindowTextW(window, buffer, 256);
    return std::wstring(buffer, length > 0 ? length : 0);
}

std::wstring className(HWND window)
{
    wchar_t buffer[64];
    const int length = GetClassNameW(window, buffer, 64);
    return std::wstring(buffer, length > 0 ? length : 0);
}

BOOL CALLBACK noteControl(HWND control, LPARAM)
{
    const std::wstring kind = className(control);
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    if (lstrcmpiW(kind.c_str(), L"Button") == 0) {
        seen->buttons.push_back(windowText(control));
    } else if (lstrcmpiW(kind.c_str(), L"Static") == 0) {
        if ((style & SS_TYPEMASK) == SS_ICON) {
            seen->iconShown = seen->iconShown || IsWindowVisible(control);
        } else {
            seen->texts.push_back(windowText(control));
        }
    }
    return TRUE;
}

// Notes the message box as it opens and presses its OK button, so the
// modal call returns without anyone at the keyboard.
LRESULT CALLBACK watchActivation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && seen != nullptr && className(reinterpret_cast<HWND>(wParam)) == L"#32770") {
        const HWND box = reinterpret_cast<HWND>(wParam);
        ++seen->count;
        seen->owner = GetWindow(box, GW_OWNER);
        seen->caption = windowText(box);
        EnumChildWindows(box, noteControl, 0);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class ActivationWatch {
public:
    explicit ActivationWatch(SeenMessageBox& target)
        : hook_(SetWindowsHookExW(WH_CBT, watchActivation, nullptr, GetCurrentThreadId()))
    {
        seen = &target;
    }
    ~ActivationWatch()
    {
        seen = nullptr;
        if (hook_ != nullptr) {
            UnhookWindowsHookEx(hook_);
        }
    }
    ActivationWatch(const ActivationWatch&) = delete;
    ActivationWatch& operator=(const ActivationWatch&) = delete;

    bool active() const { return hook_ != nullptr; }

private:
    HHOOK hook_;
};

// A hidden window of the program's class and title, as the main window would be.
class StandInMainWindow {
public:
    StandInMainWindow()
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"Brixol";
        registered_ = RegisterClassW(&windowClass) != 0;
        window_ = CreateWindowExW(0, L"Brixol", L"Brixol", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    ~StandInMainWindow()
    {
        if (window_ != nullptr) {
            DestroyWindow(window_);
        }
        if (registered_) {
            UnregisterClassW(L"Brixol", GetModuleHandleW(nullptr));
        }
    }
    StandInMainWindow(const StandInMainWindow&) = delete;
    StandInMainWindow& operator=(const StandInMainWindow&) = delete;

    HWND get() const { return window_; }

private:
    bool registered_ = false;
    HWND window_ = nullptr;
};

void expectTheDamageMessage(const SeenMessageBox& box)
{
    EXPECT_EQ(box.count, 1);
    EXPECT_EQ(box.caption, L"エラー");
    EXPECT_EQ(box.texts, std::vector<std::wstring>{L"スコアデータに異常が見つかりました"});
    EXPECT_EQ(box.buttons.size(), 1u) << "OK only";
    EXPECT_FALSE(box.iconShown);
}

// A box shown over a stand-in main window, noted and answered as it opens.
class OwnedMessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(mainWindow.get(), nullptr);
        ASSERT_TRUE(watch.active());
    }

    const StandInMainWindow mainWindow;
    SeenMessageBox box;
    const ActivationWatch watch{box};
};

using DamagedDataMessage = OwnedMessageBoxTest;

TEST_F(DamagedDataMessage, IsOwnedByTheWindowItWasGiven)
{
    MessageBoxDamagedDataReporter reporter;
    reporter.setOwner(mainWindow.get());
    reporter.reportDamagedScores();

    expectTheDamageMessage(box);
    EXPECT_EQ(box.owner, mainWindow.get());
}

// The stand-in has the program's name, but no window is looked for.
TEST_F(DamagedDataMessage, HasNoOwnerWhenGivenNone)
{
    MessageBoxDamagedDataReporter().reportDamagedScores();

    expectTheDamageMessage(box);
    EXPECT_EQ(box.owner, nullptr);
}

using SaveFailureMessage = OwnedMessageBoxTest;

// The file's full path follows the message on a line of its own.
TEST_F(SaveFailureMessage, NamesTheFileOverTheWindowItWasGiven)
{
    MessageBoxSaveFailureReporter reporter;
    reporter.setOwner(mainWindow.get());
    reporter.reportSaveFailure(L"C:\\Games\\Brixol\\Brixol.ini");

    EXPECT_EQ(box.count, 1);
    EXPECT_EQ(box.caption, L"エラー");
    EXPECT_EQ(box.texts,
              std::vector<std::wstring>{L"設定とハイスコアを保存できませんでした。\nC:\\Games\\Brixol\\Brixol.ini"});
    EXPECT_EQ(box.buttons.size(), 1u) << "OK only";
    EXPECT_EQ(box.owner, mainWindow.get());
}

std::vector<std::wstring> linesOf(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

using UnreadFileMessage = OwnedMessageBoxTest;

// Both paths in full, each on a line of its own, the backup first, under
// the message of what happened.
TEST_F(UnreadFileMessage, NamesTheBackupAndTheFileOverTheWindowItWasGiven)
{
    MessageBoxDamagedDataReporter reporter;
    reporter.setOwner(mainWindow.get());
    const std::wstring file = L"C:\\Games\\Brixol\\Brixol.ini";
    const std::wstring backup = L"C:\\Games\\Brixol\\Brixol.ini.2.bak";
    reporter.reportUnreadFileKept(file, backup);

    EXPECT_EQ(box.count, 1);
    EXPECT_EQ(box.caption, L"エラー");
    ASSERT_EQ(box.texts.size(), 1u);
    const std::vector<std::wstring> lines = linesOf(box.texts.front());
    const auto backupLine = std::find(lines.begin(), lines.end(), backup);
    const auto fileLine = std::find(lines.begin(), lines.end(), file);
    EXPECT_NE(backupLine, lines.begin()) << "the message comes first";
    EXPECT_LT(backupLine, fileLine) << "the backup's path, then the file's";
    EXPECT_NE(fileLine, lines.end());
    EXPECT_EQ(box.buttons.size(), 1u) << "OK only";
    EXPECT_EQ(box.owner, mainWindow.get());
}

}  // namespace
