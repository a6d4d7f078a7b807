// The update-UI table applied to a real menu, read back item by item.
#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>

#include "win/Handles.h"
#include "win/UpdateUi.h"

namespace {

// Command ids of a menu of the test's own: the table knows nothing of the
// program's commands.
constexpr UINT firstId = 101;
constexpr UINT secondId = 102;
constexpr UINT thirdId = 103;
constexpr UINT fourthId = 104;
constexpr UINT otherId = 105;  // in the menu, not in the table

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

UpdateUi tableOfFourItems() { return UpdateUi{firstId, secondId, thirdId, fourthId}; }

TEST(UpdateUiTest, MenuTakesTheRecordedStatesAndKeepsItemsOutsideTheTable)
{
    const UniqueMenu menu = makeMenu({firstId, secondId, thirdId, fourthId, otherId});
    ASSERT_TRUE(menu);
    // States the table must overwrite, and one it must leave alone.
    EnableMenuItem(menu.get(), firstId, MF_BYCOMMAND | MF_GRAYED);
    CheckMenuItem(menu.get(), firstId, MF_BYCOMMAND | MF_CHECKED);
    CheckMenuItem(menu.get(), otherId, MF_BYCOMMAND | MF_CHECKED);

    UpdateUi table = tableOfFourItems();
    table.setItemEnabled(secondId, false);
    table.setItemChecked(thirdId, true);
    table.setItemEnabled(fourthId, false);
    table.setItemChecked(fourthId, true);
    table.setItemEnabled(otherId, false);
    table.setItemChecked(otherId, false);
    table.applyTo(menu.get());

    const struct {
        UINT id;
        ItemState expected;
    } cases[] = {
        {firstId, {false, false}}, {secondId, {true, false}}, {thirdId, {false, true}},
        {fourthId, {true, true}},  {otherId, {false, true}},
    };
    for (const auto& item : cases)
        EXPECT_EQ(stateOf(menu.get(), item.id), item.expected) << "item " << item.id;
}

TEST(UpdateUiTest, ReenabledAndUncheckedItemsAreClearedAtTheNextOpening)
{
    const UniqueMenu menu = makeMenu({secondId, thirdId});
    UpdateUi table = tableOfFourItems();
    table.setItemEnabled(secondId, false);
    table.setItemChecked(thirdId, true);
    table.applyTo(menu.get());

    table.setItemEnabled(secondId, true);
    table.setItemChecked(thirdId, false);
    table.applyTo(menu.get());

    EXPECT_EQ(stateOf(menu.get(), secondId), (ItemState{false, false}));
    EXPECT_EQ(stateOf(menu.get(), thirdId), (ItemState{false, false}));
}

TEST(UpdateUiTest, MenuHoldingSomeOfTheItemsGetsTheirStates)
{
    // Each drop-down menu of the bar holds only some of the table's items.
    const UniqueMenu menu = makeMenu({fourthId});
    UpdateUi table = tableOfFourItems();
    table.setItemEnabled(firstId, false);
    table.setItemChecked(fourthId, true);

    table.applyTo(menu.get());

    EXPECT_EQ(stateOf(menu.get(), fourthId), (ItemState{false, true}));
}

}  // namespace
