// The update-UI table applied to a real menu, read back item by item.
#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>

#include "win/Handles.h"
#include "win/UpdateUi.h"

namespace {

constexpr UINT startId = 40105;
constexpr UINT pauseId = 40110;
constexpr UINT soundId = 40130;
constexpr UINT guideId = 40131;
constexpr UINT otherId = 40999;  // in the menu, not in the table

struct ItemState {
    bool grayed;
    bool checked;

    bool operator==(const ItemState& other) const { return grayed == other.grayed && checked == other.checked; }
};

std::ostream& operator<<(std::ostream& out, const ItemState& state)
{
    return out << (state.grayed ? "grayed" : "enabled") << (state.checked ? " checked" : " unchecked");
}

ItemState stateOf(HMENU menu, UINT id)
{
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    EXPECT_TRUE(GetMenuItemInfoW(menu, id, FALSE, &item)) << "item " << id;
    return ItemState{(item.fState & MFS_GRAYED) != 0, (item.fState & MFS_CHECKED) != 0};
}

UniqueMenu makeMenu(std::initializer_list<UINT> ids)
{
    UniqueMenu menu(CreatePopupMenu());
    for (const UINT id : ids)
        AppendMenuW(menu.get(), MF_STRING, id, L"item");
    return menu;
}

UpdateUi mainWindowTable() { return UpdateUi{startId, pauseId, soundId, guideId}; }

TEST(UpdateUiTest, MenuTakesTheRecordedStatesAndKeepsItemsOutsideTheTable)
{
    const UniqueMenu menu = makeMenu({startId, pauseId, soundId, guideId, otherId});
    ASSERT_TRUE(menu);
    // States the table must overwrite, and one it must leave alone.
    EnableMenuItem(menu.get(), startId, MF_BYCOMMAND | MF_GRAYED);
    CheckMenuItem(menu.get(), startId, MF_BYCOMMAND | MF_CHECKED);
    CheckMenuItem(menu.get(), otherId, MF_BYCOMMAND | MF_CHECKED);

    UpdateUi table = mainWindowTable();
    table.setItemEnabled(pauseId, false);
    table.setItemChecked(soundId, true);
    table.setItemEnabled(guideId, false);
    table.setItemChecked(guideId, true);
    table.setItemEnabled(otherId, false);
    table.setItemChecked(otherId, false);
    table.applyTo(menu.get());

    const struct {
        UINT id;
        ItemState expected;
    } cases[] = {
        {startId, {false, false}}, {pauseId, {true, false}},  {soundId, {false, true}},
        {guideId, {true, true}},   {otherId, {false, true}},
    };
    for (const auto& item : cases)
        EXPECT_EQ(stateOf(menu.get(), item.id), item.expected) << "item " << item.id;
}

TEST(UpdateUiTest, ReenabledAndUncheckedItemsAreClearedAtTheNextOpening)
{
    const UniqueMenu menu = makeMenu({pauseId, soundId});
    UpdateUi table = mainWindowTable();
    table.setItemEnabled(pauseId, false);
    table.setItemChecked(soundId, true);
    table.applyTo(menu.get());

    table.setItemEnabled(pauseId, true);
    table.setItemChecked(soundId, false);
    table.applyTo(menu.get());

    EXPECT_EQ(stateOf(menu.get(), pauseId), (ItemState{false, false}));
    EXPECT_EQ(stateOf(menu.get(), soundId), (ItemState{false, false}));
}

TEST(UpdateUiTest, MenuHoldingSomeOfTheItemsGetsTheirStates)
{
    // Each drop-down menu of the bar holds only some of the table's items.
    const UniqueMenu menu = makeMenu({guideId});
    UpdateUi table = mainWindowTable();
    table.setItemEnabled(startId, false);
    table.setItemChecked(guideId, true);

    table.applyTo(menu.get());

    EXPECT_EQ(stateOf(menu.get(), guideId), (ItemState{false, true}));
}

}  // namespace
