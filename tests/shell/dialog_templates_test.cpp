// The three templates as the dialog manager builds them: captions, styles,
// fonts, and every control with its class, text, style, place and order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/ResourceIds.h"
#include "win/Handles.h"

namespace {

struct ExpectedControl {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    RECT units;  // x, y, width, height in dialog units
    DWORD typeMask;
    DWORD type;
    DWORD flags;  // style bits that must be set
    bool bordered = false;
};

struct ExpectedTemplate {
    const char* what;
    int id;
    const wchar_t* caption;
    SIZE units;
    DWORD flags;  // style bits that must be set
    DWORD absent;  // style bits that must not be
    const wchar_t* fontFace;
    int fontPoints;
    std::vector<ExpectedControl> controls;  // in template order
};

const DWORD shown = WS_VISIBLE;

const ExpectedTemplate templates[] = {
    {"name entry",
     IDD_RECORD,
     L"成績",
     {141, 56},
     WS_POPUP | WS_CAPTION,
     WS_SYSMENU | WS_VISIBLE,
     L"ＭＳ Ｐゴシック",
     9,
     {
         {IDOK, L"Button", L"OK", {110, 25, 28, 14}, BS_TYPEMASK, BS_DEFPUSHBUTTON, shown | WS_TABSTOP},
         {IDC_RECORD_NAME, L"Edit", L"", {5, 25, 100, 13}, 0, 0, shown | WS_TABSTOP | ES_AUTOHSCROLL, true},
         {IDC_STATIC, L"Static", L"ハイスコアです！名前を入力してください", {7, 9, 118, 8}, SS_TYPEMASK, SS_LEFT,
          shown | WS_GROUP},
     }},
    {"score table",
     IDD_RESULTS,
     L"成績表",
     {250, 136},
     WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
     0,
     L"MS Shell Dlg",
     8,
     {
         {IDC_RESULTS_CLOSE, L"Button", L"閉じる", {133, 110, 46, 19}, BS_TYPEMASK, BS_DEFPUSHBUTTON,
          shown | WS_TABSTOP},
         {IDC_RESULTS_RESET, L"Button", L"リセット", {189, 110, 46, 18}, BS_TYPEMASK, BS_PUSHBUTTON,
          shown | WS_TABSTOP},
         {IDC_RESULTS_TEXT, L"Static", L"dummy", {13, 14, 228, 95}, SS_TYPEMASK, SS_LEFT, shown | WS_GROUP},
     }},
    {"version",
     IDD_VERSION,
     L"バージョン情報",
     {167, 68},
     WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
     0,
     L"MS Shell Dlg",
     8,
     {
         {IDOK, L"Button", L"OK", {110, 45, 47, 18}, BS_TYPEMASK, BS_DEFPUSHBUTTON, shown | WS_TABSTOP},
         {IDC_VERSION_LINK, L"Static", L"dummy", {40, 31, 126, 12}, SS_TYPEMASK, SS_LEFT,
          shown | WS_GROUP | SS_NOTIFY},
         {IDC_VERSION_TEXT, L"Static", L"dummy", {41, 11, 112, 21}, SS_TYPEMASK, SS_LEFT, shown | WS_GROUP},
         {IDC_VERSION_ICON, L"Static", L"", {9, 12, 21, 23}, SS_TYPEMASK, SS_ICON, shown},
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

// The template rectangle in the dialog's client pixels. The dialog manager
// converts position and size each on its own, so the right edge is not the
// converted x + width.
RECT pixelsOf(HWND dialog, const RECT& units)
{
    RECT converted = units;
    MapDialogRect(dialog, &converted);
    return {converted.left, converted.top, converted.left + converted.right, converted.top + converted.bottom};
}

RECT clientRectOf(HWND control, HWND dialog)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void expectSameRect(const RECT& actual, const RECT& expected, const std::string& what)
{
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

void checkControls(HWND dialog, const ExpectedTemplate& design)
{
    HWND control = GetWindow(dialog, GW_CHILD);
    for (const ExpectedControl& expected : design.controls) {
        const std::string what = std::string(design.what) + ", control " + std::to_string(expected.id);
        ASSERT_NE(control, nullptr) << what << " missing";
        EXPECT_EQ(GetDlgCtrlID(control), expected.id) << what << ": id or order";
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
        expectSameRect(clientRectOf(control, dialog), pixelsOf(dialog, expected.units), what + ": place");
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr) << design.what << ": more controls than expected";
}

TEST(DialogTemplates, BuildAsDesigned)
{
    for (const ExpectedTemplate& design : templates) {
        const UniqueWindow dialog(
            CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(design.id), nullptr, plainDialog, 0));
        ASSERT_TRUE(dialog) << design.what << ": template " << design.id << " missing";

        EXPECT_EQ(windowText(dialog.get()), design.caption) << design.what;
        const DWORD style = static_cast<DWORD>(GetWindowLongW(dialog.get(), GWL_STYLE));
        EXPECT_EQ(style & design.flags, design.flags) << design.what;
        EXPECT_EQ(style & design.absent, 0u) << design.what;
        const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(dialog.get(), GWL_EXSTYLE));
        EXPECT_NE(exStyle & WS_EX_DLGMODALFRAME, 0u) << design.what << ": modal frame";

        RECT client{};
        GetClientRect(dialog.get(), &client);
        expectSameRect(client, pixelsOf(dialog.get(), {0, 0, design.units.cx, design.units.cy}),
                       std::string(design.what) + ": size");

        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog.get(), WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_TRUE(sameIgnoringCase(font.lfFaceName, design.fontFace)) << design.what;
        const WindowDcScope screen(nullptr);
        EXPECT_EQ(font.lfHeight, -MulDiv(design.fontPoints, GetDeviceCaps(screen.get(), LOGPIXELSY), 72)) << design.what;

        checkControls(dialog.get(), design);
    }
}

}  // namespace
