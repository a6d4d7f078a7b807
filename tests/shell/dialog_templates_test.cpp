// The three dialogs as the dialog manager builds them from the program's
// templates: captions, styles, fonts, and every control with its class, text
// and style, each inside the dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ids/ResourceIds.h"
#include "win/Handles.h"
#include "win/PointFont.h"

namespace {

struct ExpectedControl {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD typeMask;
    DWORD type;
    DWORD flags;  // style bits that must be set
    bool bordered = false;
};

struct ExpectedDialog {
    const char* what;
    int id;
    const wchar_t* caption;
    DWORD flags;   // style bits that must be set
    DWORD absent;  // style bits that must not be
    const wchar_t* fontFace;
    int fontPoints;
    std::vector<ExpectedControl> controls;
};

const DWORD shown = WS_VISIBLE;

const ExpectedDialog dialogs[] = {
    {"name entry",
     IDD_RECORD,
     L"成績",
     WS_POPUP | WS_CAPTION,
     WS_SYSMENU | WS_VISIBLE,
     L"ＭＳ Ｐゴシック",
     9,
     {
         {IDOK, L"Button", L"OK", BS_TYPEMASK, BS_DEFPUSHBUTTON, shown | WS_TABSTOP},
         {IDC_RECORD_NAME, L"Edit", L"", 0, 0, shown | WS_TABSTOP | ES_AUTOHSCROLL, true},
         {IDC_STATIC, L"Static", L"ハイスコアです！名前を入力してください", SS_TYPEMASK, SS_LEFT, shown | WS_GROUP},
     }},
    {"score table",
     IDD_RESULTS,
     L"成績表",
     WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
     0,
     L"MS Shell Dlg",
     8,
     {
         {IDC_RESULTS_CLOSE, L"Button", L"閉じる", BS_TYPEMASK, BS_DEFPUSHBUTTON, shown | WS_TABSTOP},
         {IDC_RESULTS_RESET, L"Button", L"リセット", BS_TYPEMASK, BS_PUSHBUTTON, shown | WS_TABSTOP},
         {IDC_RESULTS_TEXT, L"Static", L"dummy", SS_TYPEMASK, SS_LEFT, shown | WS_GROUP},
     }},
    {"version",
     IDD_VERSION,
     L"バージョン情報",
     WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
     0,
     L"MS Shell Dlg",
     8,
     {
         {IDOK, L"Button", L"OK", BS_TYPEMASK, BS_DEFPUSHBUTTON, shown | WS_TABSTOP},
         {IDC_VERSION_LINK, L"Static", L"dummy", SS_TYPEMASK, SS_LEFT, shown | WS_GROUP | SS_NOTIFY},
         {IDC_VERSION_TEXT, L"Static", L"dummy", SS_TYPEMASK, SS_LEFT, shown | WS_GROUP},
         {IDC_VERSION_ICON, L"Static", L"", SS_TYPEMASK, SS_ICON, shown},
     }},
};

INT_PTR CALLBACK plainDialog(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

std::wstring windowText(HWND window)
{
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, &text[0], static_cast<int>(text.size())));
    return text;
}

std::wstring classOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

bool sameIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    return lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

RECT clientRectOf(HWND control, HWND dialog)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The control with that id; the id of a control without one of its own is
// shared, so that one is found by its text.
HWND controlOf(HWND dialog, const ExpectedControl& expected)
{
    if (expected.id != IDC_STATIC)
        return GetDlgItem(dialog, expected.id);
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(control) == IDC_STATIC && windowText(control) == expected.text)
            return control;
    }
    return nullptr;
}

void checkControl(HWND dialog, HWND control, const ExpectedControl& expected, const std::string& what)
{
    EXPECT_TRUE(sameIgnoringCase(classOf(control), expected.className)) << what;
    EXPECT_EQ(windowText(control), expected.text) << what;
    const DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    EXPECT_EQ(style & expected.typeMask, expected.type) << what;
    EXPECT_EQ(style & expected.flags, expected.flags) << what;
    if (expected.bordered) {
        // An edit control trades WS_BORDER for a sunken client edge.
        const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE));
        EXPECT_TRUE((style & WS_BORDER) != 0 || (exStyle & WS_EX_CLIENTEDGE) != 0) << what << ": border";
    }
    RECT client{};
    GetClientRect(dialog, &client);
    const RECT place = clientRectOf(control, dialog);
    EXPECT_TRUE(place.left >= 0 && place.top >= 0 && place.right <= client.right && place.bottom <= client.bottom)
        << what << ": outside the dialog";
    EXPECT_TRUE(place.right > place.left && place.bottom > place.top) << what << ": no size";
}

void checkControls(HWND dialog, const ExpectedDialog& design)
{
    for (const ExpectedControl& expected : design.controls) {
        const std::string what = std::string(design.what) + ", control " + std::to_string(expected.id);
        const HWND control = controlOf(dialog, expected);
        ASSERT_NE(control, nullptr) << what << " missing";
        checkControl(dialog, control, expected, what);
    }
    int children = 0;
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(children, static_cast<int>(design.controls.size())) << design.what << ": other controls";
}

TEST(DialogTemplates, BuildAsDesigned)
{
    for (const ExpectedDialog& design : dialogs) {
        const UniqueWindow dialog(
            CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(design.id), nullptr, plainDialog, 0));
        ASSERT_TRUE(dialog) << design.what << ": template " << design.id << " missing";

        EXPECT_EQ(windowText(dialog.get()), design.caption) << design.what;
        const DWORD style = static_cast<DWORD>(GetWindowLongW(dialog.get(), GWL_STYLE));
        EXPECT_EQ(style & design.flags, design.flags) << design.what;
        EXPECT_EQ(style & design.absent, 0u) << design.what;
        const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(dialog.get(), GWL_EXSTYLE));
        EXPECT_NE(exStyle & WS_EX_DLGMODALFRAME, 0u) << design.what << ": modal frame";

        const auto font = reinterpret_cast<HFONT>(SendMessageW(dialog.get(), WM_GETFONT, 0, 0));
        LOGFONTW described{};
        GetObjectW(font, sizeof described, &described);
        EXPECT_TRUE(sameIgnoringCase(described.lfFaceName, design.fontFace)) << design.what;
        EXPECT_EQ(described.lfHeight, screenFontHeight(design.fontPoints * 10)) << design.what;

        checkControls(dialog.get(), design);
    }
}

}  // namespace
