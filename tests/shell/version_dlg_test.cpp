// The version dialog, driven through its own modal loop, with an opener that
// records the pages instead of starting a browser.
#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "BrixolVersion.h"
#include "tests/support/win32/DrivenDialog.h"
#include "tests/support/win32/SystemDpi.h"
#include "tests/support/win32/UserActions.h"
#include "shell/VersionDlg.h"
#include "ids/ResourceIds.h"
#include "win/Handles.h"

namespace {

const wchar_t address[] = L"https://www.example.com/brixol/";

// The opener runs on the dialog's thread, the checks on the user's.
class OpenedPages {
public:
    CVersionDlg::PageOpener opener()
    {
        return [this](const wchar_t* page) {
            const std::lock_guard<std::mutex> hold(lock);
            pages.push_back(page);
        };
    }
    std::vector<std::wstring> list()
    {
        const std::lock_guard<std::mutex> hold(lock);
        return pages;
    }

private:
    std::mutex lock;
    std::vector<std::wstring> pages;
};

DrivenDialog drivenVersionDialog(CVersionDlg& dialog)
{
    return {L"バージョン情報", [&dialog] { return dialog.showModal(nullptr); },
            [](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }};
}

TEST(VersionDialog, ShowsTheVersionTheMakerTheAddressAndTheIcon)
{
    OpenedPages pages;
    CVersionDlg dialog(pages.opener());
    runDriven(drivenVersionDialog(dialog), [](HWND window, DWORD) {
        EXPECT_EQ(itemText(window, IDC_VERSION_TEXT), L"Brixol バージョン " BRIXOL_VERSION_WIDE L"\n(C) 2026 Brixol Project");
        EXPECT_EQ(itemText(window, IDC_VERSION_LINK), address);

        DWORD_PTR icon = 0;
        SendMessageTimeoutW(GetDlgItem(window, IDC_VERSION_ICON), STM_GETICON, 0, 0, SMTO_NORMAL, 5000, &icon);
        ASSERT_NE(icon, 0u) << "no icon";
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(icon), &info));
        const UniqueBitmap mask(info.hbmMask);
        const UniqueBitmap colour(info.hbmColor);
        BITMAP bitmap{};
        GetObjectW(colour ? colour.get() : mask.get(), sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXICON)) << "the large-icon size";

        click(window, IDOK);
        EXPECT_TRUE(waitForClosed(window));
    });
}

// The heights of the dialog's own fonts at each DPI: the text font of 9
// points, the link font of 12 pixels at 96 DPI.
struct FontHeights {
    int dpi;
    LONG text;
    LONG link;
};
const FontHeights fontHeights[] = {{96, -12, 12}, {120, -15, 15}, {144, -18, 18}, {192, -24, 24}};

const FontHeights* fontHeightsAt(int dpi)
{
    for (const FontHeights& heights : fontHeights)
        if (heights.dpi == dpi)
            return &heights;
    return nullptr;
}

void expectFontsFor(HWND window, int dpi)
{
    const FontHeights* heights = fontHeightsAt(dpi);
    ASSERT_NE(heights, nullptr) << "no font heights known for " << dpi << " DPI";
    const LOGFONTW text = fontOf(GetDlgItem(window, IDC_VERSION_TEXT));
    EXPECT_EQ(std::wstring(text.lfFaceName), L"ＭＳ ゴシック");
    EXPECT_EQ(text.lfHeight, heights->text) << dpi << " DPI";
    EXPECT_EQ(text.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(text.lfUnderline, 0);

    const LOGFONTW link = fontOf(GetDlgItem(window, IDC_VERSION_LINK));
    EXPECT_EQ(std::wstring(link.lfFaceName), L"ＭＳ Ｐゴシック");
    EXPECT_EQ(link.lfHeight, heights->link) << dpi << " DPI";
    EXPECT_NE(link.lfUnderline, 0);
    EXPECT_EQ(link.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(link.lfQuality, DRAFT_QUALITY);
    EXPECT_EQ(link.lfWeight, 0);
}

// Also run at 120, 144 and 192 DPI (dialog_text_fit_test starts them).
TEST(VersionDialog, TextAndLinkHaveTheirOwnFonts)
{
    OpenedPages pages;
    CVersionDlg dialog(pages.opener());
    runDriven(drivenVersionDialog(dialog), [](HWND window, DWORD) {
        expectFontsFor(window, screenDpi());
        click(window, IDOK);
        EXPECT_TRUE(waitForClosed(window));
    });
}

// Moved to a monitor of twice the DPI (a message wine never sends), the
// dialog's own fonts follow.
TEST(VersionDialog, FontsFollowAChangeOfDpi)
{
    OpenedPages pages;
    CVersionDlg dialog(pages.opener());
    runDriven(drivenVersionDialog(dialog), [](HWND window, DWORD) {
        RECT placed{};
        GetWindowRect(window, &placed);
        const int twice = 2 * screenDpi();
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(twice, twice),
                            reinterpret_cast<LPARAM>(&placed), SMTO_NORMAL, 5000, &result);
        expectFontsFor(window, twice);
        click(window, IDOK);
        EXPECT_TRUE(waitForClosed(window));
    });
}

TEST(VersionDialog, ClosesByOkEnterAndTheCloseBox)
{
    struct Case {
        const char* what;
        std::function<void(HWND)> close;
    };
    const Case cases[] = {
        {"OK", [](HWND window) { click(window, IDOK); }},
        {"Enter", [](HWND window) { pressKey(window, VK_RETURN); }},
        {"close box", [](HWND window) { pressCloseBox(window); }},
    };
    for (const Case& c : cases) {
        OpenedPages pages;
        CVersionDlg dialog(pages.opener());
        const INT_PTR result = runDriven(drivenVersionDialog(dialog), [&](HWND window, DWORD thread) {
            EXPECT_TRUE(waitUntil([&] { return focusIn(thread) == GetDlgItem(window, IDOK); }))
                << c.what << ": focus on OK";
            c.close(window);
            EXPECT_TRUE(waitForClosed(window)) << c.what;
        });
        EXPECT_EQ(result, 0) << c.what;
        EXPECT_TRUE(pages.list().empty()) << c.what;
    }
}

TEST(VersionDialog, EveryClickOnTheLinkOpensThePageAndTheDialogStays)
{
    OpenedPages pages;
    CVersionDlg dialog(pages.opener());
    runDriven(drivenVersionDialog(dialog), [&](HWND window, DWORD) {
        const HWND link = GetDlgItem(window, IDC_VERSION_LINK);
        // A real click, through the link's own click notification.
        PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        PostMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        click(window, IDC_VERSION_LINK, STN_CLICKED);
        click(window, IDC_VERSION_LINK, STN_DBLCLK);
        EXPECT_TRUE(waitUntil([&] { return pages.list().size() >= 3; }));
        EXPECT_EQ(pages.list(), std::vector<std::wstring>(3, address));
        EXPECT_TRUE(IsWindowVisible(window)) << "the dialog stays open";
        click(window, IDOK);
        EXPECT_TRUE(waitForClosed(window));
    });
}

TEST(VersionDialog, EscDoesNotCloseIt)
{
    OpenedPages pages;
    CVersionDlg dialog(pages.opener());
    runDriven(drivenVersionDialog(dialog), [&](HWND window, DWORD) {
        pressKey(window, VK_ESCAPE);
        // Handled after the key: the page opens only if the dialog is still
        // there.
        click(window, IDC_VERSION_LINK, STN_CLICKED);
        EXPECT_TRUE(waitUntil([&] { return pages.list().size() == 1; })) << "the dialog did not survive Esc";
        EXPECT_TRUE(IsWindowVisible(window));
        click(window, IDOK);
        EXPECT_TRUE(waitForClosed(window));
    });
}

TEST(VersionDialog, CursorIsAHandOnlyOverTheLink)
{
    // Off the dialog, so that the real pointer sets no cursor of its own
    // in between.
    SetCursorPos(0, 0);
    OpenedPages pages;
    CVersionDlg dialog(pages.opener());
    runDriven(drivenVersionDialog(dialog), [](HWND window, DWORD thread) {
        const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
        const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
        struct Case {
            const char* what;
            int control;
            HCURSOR expected;
        };
        const Case cases[] = {
            {"over OK", IDOK, arrow},
            {"over the link", IDC_VERSION_LINK, hand},
            {"over the text", IDC_VERSION_TEXT, arrow},
        };
        for (const Case& c : cases) {
            // As the mouse does: to the control under the cursor, which asks
            // the dialog first.
            const HWND control = GetDlgItem(window, c.control);
            EXPECT_TRUE(waitUntil([&] {
                DWORD_PTR handled = 0;
                SendMessageTimeoutW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                                    MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), SMTO_NORMAL, 5000, &handled);
                return cursorOf(thread) == c.expected;
            })) << c.what;
        }
        click(window, IDOK);
        EXPECT_TRUE(waitForClosed(window));
    });
}

}  // namespace
