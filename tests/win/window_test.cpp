// The window and modal dialog bases: messages reach the derived handler from
// creation to destruction, and never after the object is gone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "win/ModalDialog.h"
#include "win/Window.h"
#include "tests/win/TestDialogResources.h"

namespace {

constexpr UINT sumMessage = WM_APP + 1;
const wchar_t* const className = L"BrixolWindowTest";

class RecordingWindow : public WindowBase<RecordingWindow> {
public:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        messages.push_back(message);
        switch (message) {
        case WM_CREATE:
            handleAtCreate = hwnd();
            return 0;
        case sumMessage:
            return static_cast<LRESULT>(wParam) + lParam;
        }
        return defaultHandling(message, wParam, lParam);
    }

    bool received(UINT message) const
    {
        return std::find(messages.begin(), messages.end(), message) != messages.end();
    }

    std::vector<UINT> messages;
    HWND handleAtCreate = nullptr;
};

class WindowBaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WindowClassInfo info;
        info.name = className;
        ASSERT_TRUE(RecordingWindow::registerClass(info));
    }
};

TEST_F(WindowBaseTest, HiddenWindowHandlesItsMessagesFromCreationOn)
{
    RecordingWindow window;
    ASSERT_NE(window.create(className, L"test", WS_OVERLAPPEDWINDOW), nullptr);

    EXPECT_FALSE(IsWindowVisible(window.hwnd()));
    EXPECT_EQ(window.handleAtCreate, window.hwnd());
    const auto nccreate = std::find(window.messages.begin(), window.messages.end(), UINT{WM_NCCREATE});
    const auto create = std::find(window.messages.begin(), window.messages.end(), UINT{WM_CREATE});
    EXPECT_LT(nccreate, create);
    EXPECT_NE(create, window.messages.end());
    EXPECT_EQ(SendMessageW(window.hwnd(), sumMessage, 2, 3), 5);
    // Left to the default handling, the title is the one given at creation.
    wchar_t title[16] = {};
    GetWindowTextW(window.hwnd(), title, 16);
    EXPECT_STREQ(title, L"test");
}

TEST_F(WindowBaseTest, DestroyedWindowLeavesTheObjectWithoutHandle)
{
    RecordingWindow window;
    ASSERT_NE(window.create(className, L"test", WS_OVERLAPPEDWINDOW), nullptr);

    ASSERT_TRUE(DestroyWindow(window.hwnd()));

    EXPECT_TRUE(window.received(WM_DESTROY));
    EXPECT_TRUE(window.received(WM_NCDESTROY));
    EXPECT_EQ(window.hwnd(), nullptr);
}

TEST_F(WindowBaseTest, ObjectGoingFirstTakesItsWindowAlong)
{
    HWND handle = nullptr;
    {
        RecordingWindow window;
        handle = window.create(className, L"test", WS_OVERLAPPEDWINDOW);
        ASSERT_NE(handle, nullptr);
    }
    EXPECT_FALSE(IsWindow(handle));
}

TEST_F(WindowBaseTest, RegisteringAgainSucceedsAndUnknownClassFailsCreation)
{
    WindowClassInfo info;
    info.name = className;
    EXPECT_TRUE(RecordingWindow::registerClass(info));

    RecordingWindow window;
    EXPECT_EQ(window.create(L"BrixolNoSuchClass", L"test", WS_OVERLAPPEDWINDOW), nullptr);
    EXPECT_EQ(window.hwnd(), nullptr);
}

constexpr UINT throwMessage = WM_APP + 2;

class ThrowingWindow : public WindowBase<ThrowingWindow> {
public:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == throwMessage)
            throw std::runtime_error("thrown by the handler");
        return defaultHandling(message, wParam, lParam);
    }
};

// The system's code that called the procedure cannot be unwound: the process
// ends at once, saying which message it was.
TEST(EscapedExceptionDeathTest, AWindowHandlerThatThrowsEndsTheProcessWithAReport)
{
    EXPECT_EXIT(
        {
            WindowClassInfo info;
            info.name = L"BrixolThrowingWindow";
            ThrowingWindow window;
            if (ThrowingWindow::registerClass(info) && window.create(info.name, L"test", WS_OVERLAPPEDWINDOW))
                SendMessageW(window.hwnd(), throwMessage, 0, 0);
            std::exit(0);
        },
        ::testing::ExitedWithCode(static_cast<int>(escapedExceptionExitCode)),
        "exception escaped .*message 0x8002.*thrown by the handler");
}

class ThrowingDialog : public ModalDialog<ThrowingDialog> {
public:
    INT_PTR handleMessage(UINT message, WPARAM, LPARAM)
    {
        if (message == WM_INITDIALOG)
            throw std::runtime_error("thrown at the dialog's start");
        return FALSE;
    }
};

TEST(EscapedExceptionDeathTest, ADialogHandlerThatThrowsEndsTheProcessWithAReport)
{
    EXPECT_EXIT(
        {
            ThrowingDialog dialog;
            dialog.showModal(nullptr, IDD_TEST_DIALOG);
            std::exit(0);
        },
        ::testing::ExitedWithCode(static_cast<int>(escapedExceptionExitCode)),
        "exception escaped .*message 0x0110.*thrown at the dialog's start");
}

// Copies its edit field to the result: WM_INITDIALOG fills it in and presses
// OK by a posted command.
class EchoDialog : public ModalDialog<EchoDialog> {
public:
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM)
    {
        switch (message) {
        case WM_INITDIALOG:
            handleAtInit = hwnd();
            SetWindowTextW(item(IDC_TEST_EDIT), L"42");
            // Ends a dialog that never sees its OK rather than hang the test.
            SetTimer(hwnd(), 1, 10000, nullptr);
            PostMessageW(hwnd(), WM_COMMAND, IDOK, 0);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                endDialog(static_cast<int>(GetDlgItemInt(hwnd(), IDC_TEST_EDIT, nullptr, FALSE)));
                return TRUE;
            }
            return FALSE;
        case WM_TIMER:
            endDialog(-2);
            return TRUE;
        }
        return FALSE;
    }

    HWND handleAtInit = nullptr;
};

TEST(ModalDialogTest, RunsTheTemplateUntilEndDialogAndReturnsItsResult)
{
    EchoDialog dialog;
    EXPECT_EQ(dialog.showModal(nullptr, IDD_TEST_DIALOG), 42);
    EXPECT_NE(dialog.handleAtInit, nullptr);
    EXPECT_EQ(dialog.hwnd(), nullptr);
}

TEST(ModalDialogTest, MissingTemplateFails)
{
    EchoDialog dialog;
    EXPECT_EQ(dialog.showModal(nullptr, IDD_TEST_DIALOG + 1), -1);
    EXPECT_EQ(dialog.handleAtInit, nullptr);
}

}  // namespace
