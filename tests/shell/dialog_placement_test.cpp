// Each dialog opens centred over its owner.
#include <gtest/gtest.h>

#include <functional>

#include "tests/support/win32/DrivenDialog.h"
#include "tests/support/win32/UserActions.h"
#include "records/HighScoreTable.h"
#include "records/dialogs/RecordDlg.h"
#include "records/dialogs/ResultsDlg.h"
#include "shell/VersionDlg.h"
#include "ids/ResourceIds.h"
#include "win/Handles.h"

namespace {

LONG middle(LONG low, LONG high)
{
    return (low + high) / 2;
}

TEST(DialogPlacement, EveryDialogOpensCentredOverItsOwner)
{
    struct Case {
        const char* what;
        const wchar_t* caption;
        std::function<INT_PTR(HWND owner)> show;
        int closeButton;
    };
    const Case cases[] = {
        {"name entry", L"成績", [](HWND owner) { return CRecordDlg().showModal(owner); }, IDOK},
        {"score table", L"成績表",
         [](HWND owner) {
             HighScoreTable table;
             return CResultsDlg(table).showModal(owner);
         },
         IDC_RESULTS_CLOSE},
        {"version", L"バージョン情報", [](HWND owner) { return CVersionDlg([](const wchar_t*) {}).showModal(owner); }, IDOK},
    };
    for (const Case& c : cases) {
        // Away from the middle of the screen, so centring on the screen
        // would show.
        const UniqueWindow owner(CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 60, 50,
                                                 640, 480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
        ASSERT_TRUE(owner);
        RECT ownerRect{};
        GetWindowRect(owner.get(), &ownerRect);
        const DrivenDialog driven{c.caption, [&] { return c.show(owner.get()); },
                                  [&](HWND window) { click(window, c.closeButton); }};
        runDriven(driven, [&](HWND window, DWORD) {
            EXPECT_EQ(GetWindow(window, GW_OWNER), owner.get()) << c.what;
            RECT placed{};
            GetWindowRect(window, &placed);
            EXPECT_NEAR(middle(placed.left, placed.right), middle(ownerRect.left, ownerRect.right), 1) << c.what;
            EXPECT_NEAR(middle(placed.top, placed.bottom), middle(ownerRect.top, ownerRect.bottom), 1) << c.what;
            click(window, c.closeButton);
            EXPECT_TRUE(waitForClosed(window)) << c.what;
        });
    }
}

}  // namespace
