#include "tests/support/win32/DrivenDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "tests/support/win32/UserActions.h"

namespace {

BOOL CALLBACK closeMessageBox(HWND window, LPARAM dialog)
{
    // A message box of the dialog is owned by it; "No" ends either kind of
    // box the dialogs show without changing anything.
    if (GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(dialog))
        answer(window, IDNO);
    return TRUE;
}

BOOL CALLBACK rescueDialog(HWND window, LPARAM driven)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770")
        reinterpret_cast<const DrivenDialog*>(driven)->rescue(window);
    return TRUE;
}

void rescueLeftOpen(const DrivenDialog& driven, HWND dialog, DWORD thread)
{
    if (!IsWindow(dialog))
        return;
    ADD_FAILURE() << "the script left the dialog open";
    EnumThreadWindows(thread, closeMessageBox, reinterpret_cast<LPARAM>(dialog));
    driven.rescue(dialog);
    EXPECT_TRUE(waitForClosed(dialog)) << "the dialog could not be ended; the test will hang";
}

}  // namespace

INT_PTR runDriven(const DrivenDialog& driven, const std::function<void(HWND dialog, DWORD thread)>& script)
{
    const DWORD thread = GetCurrentThreadId();
    std::thread user([&] {
        const HWND dialog = waitForDialog(thread, driven.caption);
        if (dialog == nullptr) {
            ADD_FAILURE() << "no dialog with the expected caption appeared";
            // Perhaps one with a wrong caption: end it rather than hang.
            EnumThreadWindows(thread, rescueDialog, reinterpret_cast<LPARAM>(&driven));
            return;
        }
        script(dialog, thread);
        rescueLeftOpen(driven, dialog, thread);
    });
    const INT_PTR result = driven.show();
    user.join();
    return result;
}
