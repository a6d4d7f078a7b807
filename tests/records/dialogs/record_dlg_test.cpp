// The name entry dialog, driven through its own modal loop.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/win32/DrivenDialog.h"
#include "tests/support/win32/UserActions.h"
#include "records/dialogs/RecordDlg.h"
#include "ids/ResourceIds.h"

namespace {

const wchar_t tooLongMessage[] = L"文字数は10文字を超えることはできません";
const wchar_t elevenCharacters[] = L"あいうえおかきくけこさ";

DrivenDialog drivenRecordDialog(CRecordDlg& dialog)
{
    return {L"成績", [&dialog] { return dialog.showModal(nullptr); },
            [](HWND window) {
                // Only OK with a short name ends this dialog.
                setItemText(window, IDC_RECORD_NAME, L"");
                click(window, IDOK);
            }};
}

// Confirms text, expects the refusal, and leaves the dialog open with the
// focus on the name.
void expectRefused(HWND dialog, DWORD thread, const std::string& what)
{
    const HWND box = waitForDialog(thread, L"Error");
    ASSERT_NE(box, nullptr) << what << ": no message";
    EXPECT_EQ(GetWindow(box, GW_OWNER), dialog) << what;
    EXPECT_EQ(messageBoxText(box), tooLongMessage) << what;
    answer(box, IDOK);
    EXPECT_TRUE(waitForClosed(box)) << what;
    EXPECT_TRUE(IsWindowVisible(dialog)) << what << ": the dialog must stay open";
    const HWND edit = GetDlgItem(dialog, IDC_RECORD_NAME);
    EXPECT_TRUE(waitUntil([&] { return focusIn(thread) == edit; })) << what << ": focus on the name";
}

TEST(RecordDialog, OpensWithThePresetNameAndOkFocusedSoEnterAcceptsIt)
{
    CRecordDlg dialog;
    const INT_PTR result = runDriven(drivenRecordDialog(dialog), [](HWND window, DWORD thread) {
        EXPECT_EQ(itemText(window, IDC_RECORD_NAME), L"名無しさん");
        // Activation passes the focus through the dialog itself first.
        const HWND ok = GetDlgItem(window, IDOK);
        EXPECT_TRUE(waitUntil([&] { return focusIn(thread) == ok; })) << "focus on OK";
        pressKey(window, VK_RETURN);
        EXPECT_TRUE(waitForClosed(window));
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dialog.name, L"名無しさん");
}

TEST(RecordDialog, AcceptsNamesUpToTenUtf16UnitsAndRefusesLongerOnes)
{
    // Beyond the basic plane a character takes two units.
    const std::wstring wide = L"\U00020B9F";
    struct Case {
        const char* what;
        std::wstring name;
        bool accepted;
    };
    const Case cases[] = {
        {"ten characters", L"あいうえおかきくけこ", true},
        {"ten letters", L"ABCDEFGHIJ", true},
        {"empty", L"", true},
        {"eleven characters", elevenCharacters, false},
        {"five characters in ten units", wide + wide + wide + wide + wide, true},
        {"six characters in twelve units", wide + wide + wide + wide + wide + wide, false},
    };
    for (const Case& c : cases) {
        CRecordDlg dialog;
        const INT_PTR result = runDriven(drivenRecordDialog(dialog), [&](HWND window, DWORD thread) {
            setItemText(window, IDC_RECORD_NAME, c.name);
            click(window, IDOK);
            if (!c.accepted) {
                expectRefused(window, thread, c.what);
                // Shortened, the name goes through.
                setItemText(window, IDC_RECORD_NAME, L"短い名前");
                click(window, IDOK);
            }
            EXPECT_TRUE(waitForClosed(window)) << c.what;
        });
        EXPECT_EQ(result, 1) << c.what;
        EXPECT_EQ(dialog.name, c.accepted ? c.name : L"短い名前") << c.what;
    }
}

TEST(RecordDialog, EscTheCloseBoxAndWmCloseLeaveItOpen)
{
    CRecordDlg dialog;
    const INT_PTR result = runDriven(drivenRecordDialog(dialog), [](HWND window, DWORD thread) {
        // With a name that is too long, OK after the three shows the refusal
        // if, and only if, the dialog is still there by then.
        setItemText(window, IDC_RECORD_NAME, elevenCharacters);
        pressKey(window, VK_ESCAPE);
        pressCloseBox(window);
        PostMessageW(window, WM_CLOSE, 0, 0);
        click(window, IDOK);
        expectRefused(window, thread, "after Esc, the close box and WM_CLOSE");
        setItemText(window, IDC_RECORD_NAME, L"名前");
        click(window, IDOK);
        EXPECT_TRUE(waitForClosed(window));
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dialog.name, L"名前");
}

}  // namespace
