// Start-up and closing: the defaults of a first start, the menu's states, the
// window's place and size, and what Esc leaves in the settings file.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <list>
#include <map>
#include <string>

#include "ids/ResourceIds.h"
#include "tests/e2e/BrixolMenu.h"
#include "tests/e2e/DesktopWindows.h"
#include "tests/e2e/E2eTest.h"

namespace {

constexpr int kGameMenu = 0;
constexpr int kOptionsMenu = 1;

bool startsWith(const std::wstring& text, const std::wstring& start)
{
    return text.compare(0, start.size(), start) == 0;
}

struct MenuExpectation {
    int menuIndex;
    UINT commandId;
    const wchar_t* label;
    bool checked;
    bool disabled;
};

void expectMenu(BrixolMenu& menu, std::initializer_list<MenuExpectation> items)
{
    ASSERT_TRUE(menu.ready()) << menu.error();
    for (const MenuExpectation& item : items) {
        SCOPED_TRACE(narrow(item.label));
        const MenuItemState state = menu.openItem(item.menuIndex, item.commandId);
        ASSERT_TRUE(state.found) << "no menu item " << item.commandId << " or no answer within "
                                 << BrixolProcess::windowTimeoutMs << " ms";
        EXPECT_TRUE(startsWith(state.text, item.label)) << narrow(state.text);
        EXPECT_EQ(state.checked, item.checked) << "check mark";
        EXPECT_EQ(state.disabled, item.disabled) << "disabled state";
    }
}

using StartupTest = E2eTest;

TEST_F(StartupTest, FirstStartShowsTheDefaultsAndEscWritesThem)
{
    ASSERT_FALSE(settingsFile_.exists());
    ASSERT_NO_FATAL_FAILURE(startBrixol());

    RECT outer{};
    ASSERT_TRUE(GetWindowRect(window_, &outer));
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    RECT client{};
    ASSERT_TRUE(GetClientRect(window_, &client));
    EXPECT_EQ(client.right - client.left, 248);
    EXPECT_EQ(client.bottom - client.top, 352);

    BrixolMenu menu(window_);
    EXPECT_EQ(menu.openItem(kOptionsMenu, ID_OPTION_SOUND).menuTitle, L"オプション(&O)");
    expectMenu(menu, {
                            {kOptionsMenu, ID_OPTION_SOUND, L"サウンド", true, false},
                            {kOptionsMenu, ID_OPTION_GUIDE, L"ガイドブロック", false, false},
                            {kGameMenu, ID_GAME_START, L"スタート", false, false},
                            {kGameMenu, ID_GAME_PAUSE, L"ポーズ", false, true},
                        });

    ASSERT_NO_FATAL_FAILURE(closeWithEscape());
    ASSERT_TRUE(settingsFile_.exists()) << "no settings file after Esc";
    const SettingsFile::Sections sections = settingsFile_.read();
    const std::map<std::wstring, std::wstring> expected = {
        {L"Sound", L"1"},      {L"Guide", L"0"},        {L"WindowLeft", L"0"},
        {L"WindowTop", L"0"},  {L"HighScoreNum", L"0"}, {L"CheckSum", L"0"},
    };
    ASSERT_EQ(sections.count(L"Brixol"), 1u);
    EXPECT_EQ(sections.at(L"Brixol"), expected);
    EXPECT_EQ(sections.count(L"HighScore0"), 0u) << "an entry section without entries";
}

TEST_F(StartupTest, EscDuringAGameSavesTheToggledOptionsAndTheTable)
{
    StoredSettings stored;
    stored.records = {{L"先頭", L"2012/3/5", 1000, 12}, {L"二番", L"2012/3/4", 500, 7}};
    settingsFile_.write(stored);
    ASSERT_NO_FATAL_FAILURE(startBrixol());

    BrixolMenu menu(window_);
    ASSERT_TRUE(menu.ready()) << menu.error();
    pressKey('S');
    pressKey('N');
    pressKey('G');
    // The toggles show in the menu before the program is closed; keys sent
    // as input may still be on their way.
    ASSERT_TRUE(waitUntil(
        [&] {
            return !menu.openItem(kOptionsMenu, ID_OPTION_SOUND).checked &&
                   menu.openItem(kOptionsMenu, ID_OPTION_GUIDE).checked;
        },
        BrixolProcess::windowTimeoutMs))
        << "N and G did not toggle Sound and Guide block";
    const MenuItemState pause = menu.openItem(kGameMenu, ID_GAME_PAUSE);
    ASSERT_TRUE(pause.found);
    EXPECT_FALSE(pause.disabled) << "no game runs after S";

    ASSERT_NO_FATAL_FAILURE(closeWithEscape());
    EXPECT_EQ(settingsFile_.value(L"Brixol", L"Sound"), L"0");
    EXPECT_EQ(settingsFile_.value(L"Brixol", L"Guide"), L"1");
    EXPECT_EQ(settingsFile_.value(L"Brixol", L"HighScoreNum"), L"2");
    EXPECT_EQ(settingsFile_.value(L"Brixol", L"CheckSum"), L"191944150");
    int damagedReports = 0;
    const std::list<ScoreRecord> records = settingsFile_.loadRecords(&damagedReports);
    EXPECT_EQ(damagedReports, 0);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records.front().name, L"先頭");
    EXPECT_EQ(records.front().score, 1000);
    EXPECT_EQ(records.back().name, L"二番");
    EXPECT_EQ(records.back().score, 500);
}

struct PositionCase {
    const char* name;
    const wchar_t* storedLeft;
    const wchar_t* storedTop;
    // Where the window shows when the stored place is reachable; for a place
    // off every monitor, no expected numbers: the window must show on one.
    bool reachable;
    LONG left;
    LONG top;
};

// Whether any part of the window's title bar is on a monitor.
bool titleBarOnAMonitor(const RECT& outer)
{
    const RECT titleBar{outer.left, outer.top, outer.right,
                        outer.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION)};
    return MonitorFromRect(&titleBar, MONITOR_DEFAULTTONULL) != nullptr;
}

// The program writes negative positions as their unsigned 32-bit value.
std::wstring storedText(LONG value)
{
    return std::to_wstring(static_cast<std::uint32_t>(value));
}

class WindowPositionTest : public E2eTest, public ::testing::WithParamInterface<PositionCase> {};

TEST_P(WindowPositionTest, StoredPositionIsUsedWhenReachableAndWrittenBack)
{
    const PositionCase& position = GetParam();
    settingsFile_.write(StoredSettings{});
    settingsFile_.writeValue(L"Brixol", L"WindowLeft", position.storedLeft);
    settingsFile_.writeValue(L"Brixol", L"WindowTop", position.storedTop);
    ASSERT_NO_FATAL_FAILURE(startBrixol());

    RECT outer{};
    ASSERT_TRUE(GetWindowRect(window_, &outer));
    if (position.reachable) {
        EXPECT_EQ(outer.left, position.left);
        EXPECT_EQ(outer.top, position.top);
    } else {
        EXPECT_TRUE(titleBarOnAMonitor(outer)) << "the window opened at " << outer.left << ", " << outer.top;
    }

    ASSERT_NO_FATAL_FAILURE(closeWithEscape());
    if (position.reachable) {
        EXPECT_EQ(settingsFile_.value(L"Brixol", L"WindowLeft"), position.storedLeft);
        EXPECT_EQ(settingsFile_.value(L"Brixol", L"WindowTop"), position.storedTop);
    } else {
        EXPECT_EQ(settingsFile_.value(L"Brixol", L"WindowLeft"), storedText(outer.left));
        EXPECT_EQ(settingsFile_.value(L"Brixol", L"WindowTop"), storedText(outer.top));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Positions, WindowPositionTest,
    ::testing::Values(PositionCase{"OnScreen", L"120", L"80", true, 120, 80},
                      PositionCase{"JustOffTheTopLeft", L"4294967288", L"4294967288", true, -8, -8},
                      PositionCase{"WhereAMinimisedWindowIs", L"4294935296", L"4294935296", false, 0, 0},
                      PositionCase{"FarToTheRightAndBelow", L"99999", L"99999", false, 0, 0},
                      PositionCase{"LargestInt", L"2147483647", L"2147483647", false, 0, 0},
                      PositionCase{"SmallestIntButOne", L"2147483649", L"2147483649", false, 0, 0}),
    [](const ::testing::TestParamInfo<PositionCase>& info) { return info.param.name; });

}  // namespace
