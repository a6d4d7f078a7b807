// Every static text of the three dialogs fits its control: measured with
// DrawTextW in the control's own font, the way the static control lays it
// out, it needs no more than the control's client area, keeps its own line
// breaks (no word wraps onto a line of its own) and stays clear of the other
// controls. The dialogs scale with the system DPI, so the same cases run
// again in processes at 120, 144 and 192 DPI, with the version dialog's
// own fonts.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/win32/DrivenDialog.h"
#include "tests/support/win32/UserActions.h"
#include "records/HighScoreTable.h"
#include "records/dialogs/RecordDlg.h"
#include "records/dialogs/ResultsDlg.h"
#include "shell/VersionDlg.h"
#include "ids/ResourceIds.h"
#include "win/Handles.h"
#include "tests/support/win32/SystemDpi.h"

namespace {

std::string narrow(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &result[0], size, nullptr, nullptr);
    return result;
}

bool isTextStatic(HWND control)
{
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    if (lstrcmpiW(className, L"Static") != 0)
        return false;
    switch (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
        return true;
    default:
        return false;
    }
}

std::vector<HWND> childrenOf(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

// The rectangle that DrawTextW needs for the text in the control's font,
// laid out at the control's client width; flags as the static control draws.
RECT neededRect(HWND control, const std::wstring& text, UINT wrapping, int width)
{
    UINT flags = DT_CALCRECT | DT_EXPANDTABS | wrapping;
    if (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX)
        flags |= DT_NOPREFIX;
    DWORD_PTR font = 0;
    SendMessageTimeoutW(control, WM_GETFONT, 0, 0, SMTO_NORMAL, waitLimitMs, &font);
    const WindowDcScope dc(control);
    RECT needed{0, 0, width, 0};
    if (dc.get() == nullptr) {
        ADD_FAILURE() << "no device context to measure with";
        return needed;
    }
    const SelectionScope selection(dc.get(), font != 0 ? reinterpret_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    EXPECT_NE(DrawTextW(dc.get(), text.c_str(), -1, &needed, flags), 0) << "DrawTextW failed";
    return needed;
}

RECT screenRectOf(HWND control, RECT clientPart)
{
    MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&clientPart), 2);
    return clientPart;
}

std::string sizeText(const RECT& rect)
{
    return std::to_string(rect.right - rect.left) + " x " + std::to_string(rect.bottom - rect.top);
}

// Line breaks at the end draw nothing (the score table ends every row with
// a blank line), so they need no room.
std::wstring drawnPart(std::wstring text)
{
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r'))
        text.pop_back();
    return text;
}

struct MeasuredControl {
    HWND control;
    std::string name;
    // On the screen: the part of a static that its text covers, the whole
    // window of any other control.
    RECT covered;
};

// Measures every static text of the dialog against its control and returns
// what each control covers.
std::vector<MeasuredControl> measureControls(HWND dialog, const std::string& dialogName)
{
    std::vector<MeasuredControl> measured;
    for (const HWND control : childrenOf(dialog)) {
        if (!IsWindowVisible(control))
            continue;
        const std::wstring text = drawnPart(textOf(control));
        MeasuredControl entry{control, dialogName + ", control " + std::to_string(GetDlgCtrlID(control)), {}};
        if (!isTextStatic(control) || text.empty()) {
            GetWindowRect(control, &entry.covered);
            measured.push_back(entry);
            continue;
        }
        entry.name += " \"" + narrow(text) + "\" at " + std::to_string(screenDpi()) + " DPI";
        RECT client{};
        GetClientRect(control, &client);
        const RECT wrapped = neededRect(control, text, DT_WORDBREAK, client.right);
        const RECT unwrapped = neededRect(control, text, 0, client.right);
        std::printf("%3d DPI %-11s static %5d needs %-9s of %s\n", screenDpi(), dialogName.c_str(),
                    GetDlgCtrlID(control), sizeText(wrapped).c_str(), sizeText(client).c_str());

        EXPECT_LE(wrapped.right, client.right) << entry.name << ": too wide";
        EXPECT_LE(wrapped.bottom, client.bottom) << entry.name << ": too high, needs " << sizeText(wrapped)
                                                 << " of " << sizeText(client);
        EXPECT_EQ(wrapped.bottom, unwrapped.bottom) << entry.name << ": a line wraps";
        entry.covered = screenRectOf(control, wrapped);
        measured.push_back(entry);
    }
    return measured;
}

void expectEveryStaticTextFits(HWND dialog, const std::string& dialogName)
{
    const std::vector<MeasuredControl> controls = measureControls(dialog, dialogName);
    int texts = 0;
    for (const MeasuredControl& text : controls) {
        if (!isTextStatic(text.control) || drawnPart(textOf(text.control)).empty())
            continue;
        ++texts;
        // Controls may touch, as the templates place them; a text must not
        // run into what another control shows.
        for (const MeasuredControl& other : controls) {
            RECT overlap{};
            if (other.control != text.control && IntersectRect(&overlap, &text.covered, &other.covered))
                ADD_FAILURE() << text.name << " runs into " << other.name;
        }
    }
    EXPECT_GT(texts, 0) << dialogName << ": no static text found";
}

// Shows the dialog, checks its texts, and ends it with close(dialog).
void checkTexts(const std::wstring& caption, const std::string& dialogName, const std::function<INT_PTR()>& show,
                const std::function<void(HWND)>& close)
{
    runDriven(DrivenDialog{caption, show, close}, [&](HWND dialog, DWORD) {
        expectEveryStaticTextFits(dialog, dialogName);
        close(dialog);
        EXPECT_TRUE(waitForClosed(dialog));
    });
}

// The widest table the program keeps: five entries with names of ten
// full-width characters (the longest name the entry dialog takes), six-digit
// scores, four-digit line counts and the longest dates.
HighScoreTable widestTable()
{
    HighScoreTable table;
    for (int i = 0; i < HighScoreTable::capacity; ++i)
        table.records.push_back({L"ハイスコアハイスコア", L"2026/12/31", 999999 - i, 9999});
    return table;
}

TEST(DialogTextFit, NameEntry)
{
    CRecordDlg dialog;
    checkTexts(L"成績", "name entry", [&] { return dialog.showModal(nullptr); },
               [](HWND window) { click(window, IDOK); });
}

TEST(DialogTextFit, ScoreTableEmpty)
{
    HighScoreTable table;
    CResultsDlg dialog(table);
    checkTexts(L"成績表", "empty table", [&] { return dialog.showModal(nullptr); },
               [](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); });
}

TEST(DialogTextFit, ScoreTableFull)
{
    HighScoreTable table = widestTable();
    CResultsDlg dialog(table);
    checkTexts(L"成績表", "full table", [&] { return dialog.showModal(nullptr); },
               [](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); });
}

TEST(DialogTextFit, Version)
{
    CVersionDlg dialog([](const wchar_t*) {});
    checkTexts(L"バージョン情報", "version", [&] { return dialog.showModal(nullptr); },
               [](HWND window) { click(window, IDOK); });
}

TEST(DialogTextFitAtRaisedDpis, EveryDialogAt120144And192Dpi)
{
    if (const char* why = whyNoRunsAtOtherDpis())
        GTEST_SKIP() << why;
    expectPassingRunsAtDpis({120, 144, 192}, "DialogTextFit.*:VersionDialog.TextAndLinkHaveTheirOwnFonts");
}

}  // namespace
