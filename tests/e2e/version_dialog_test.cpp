// The version dialog: the ways that close it and the ones that do not.
#include <gtest/gtest.h>

#include <string>

#include "ids/ResourceIds.h"
#include "tests/e2e/DesktopWindows.h"
#include "tests/e2e/E2eTest.h"

namespace {

const wchar_t kCaption[] = L"バージョン情報";

class VersionDialogTest : public E2eTest {
protected:
    // The Version command has no shortcut; the menu sends this.
    HWND openVersionDialog()
    {
        PostMessageW(window_, WM_COMMAND, MAKEWPARAM(ID_HELP_VERSION, 0), 0);
        return awaitDialog(kCaption);
    }
};

enum class Way { EnterKey, OkButton, CloseBox, EscKey, LinkClick };

struct WayCase {
    Way way;
    const char* name;
    bool closes;
};

void use(BrixolProcess& brixol, HWND dialog, Way way)
{
    switch (way) {
    case Way::EnterKey:
        brixol.press(dialog, VK_RETURN);
        break;
    case Way::OkButton:
        postControlClick(dialog, IDOK);
        break;
    case Way::CloseBox:
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case Way::EscKey:
        brixol.press(dialog, VK_ESCAPE);
        break;
    case Way::LinkClick:
        postControlClick(dialog, IDC_VERSION_LINK);  // STN_CLICKED is 0 like BN_CLICKED
        break;
    }
}

TEST_F(VersionDialogTest, ClosesOnEnterOkAndTheCloseBoxButNotOnEscOrTheLink)
{
    ASSERT_NO_FATAL_FAILURE(startBrixol());
    const WayCase cases[] = {
        {Way::EscKey, "Esc", false},          {Way::LinkClick, "link click", false},
        {Way::EnterKey, "Enter", true},       {Way::OkButton, "OK button", true},
        {Way::CloseBox, "close box", true},
    };
    HWND dialog = nullptr;
    for (const WayCase& item : cases) {
        SCOPED_TRACE(item.name);
        if (dialog == nullptr) {
            dialog = openVersionDialog();
            ASSERT_NE(dialog, nullptr);
        }
        use(*brixol_, dialog, item.way);
        if (item.closes) {
            expectClosed(dialog, "the version dialog");
            dialog = nullptr;
        } else {
            EXPECT_FALSE(brixol_->waitUntilClosed(dialog, absenceWaitMs)) << "the version dialog closed";
            dialog = IsWindowVisible(dialog) ? dialog : nullptr;
        }
    }
    ASSERT_NO_FATAL_FAILURE(closeWithEscape());
}

TEST_F(VersionDialogTest, ShowsTheWebAddressInPlaceOfTheTemplateText)
{
    ASSERT_NO_FATAL_FAILURE(startBrixol());
    const HWND dialog = openVersionDialog();
    ASSERT_NE(dialog, nullptr);
    const std::wstring link = dialogItemText(dialog, IDC_VERSION_LINK);
    EXPECT_EQ(link.compare(0, 4, L"http"), 0) << narrow(link);
    const std::wstring text = dialogItemText(dialog, IDC_VERSION_TEXT);
    EXPECT_NE(text.find(L'\n'), std::wstring::npos) << "not a version line and a maker's line: " << narrow(text);
    answer(dialog, IDOK, "the version dialog");
    ASSERT_NO_FATAL_FAILURE(closeWithEscape());
}

}  // namespace
