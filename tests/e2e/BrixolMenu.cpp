#include "tests/e2e/BrixolMenu.h"

BrixolMenu::BrixolMenu(HWND mainWindow) : probe_(mainWindow) {}

MenuItemState BrixolMenu::openItem(int menuIndex, UINT commandId)
{
    MenuItemState state;
    const MenuProbeAnswer* const answer =
        probe_.ask(kMenuProbeMessage, static_cast<WORD>(menuIndex), static_cast<LPARAM>(commandId));
    if (answer == nullptr)
        return state;
    state.found = answer->found != 0;
    state.menuTitle = answer->menuTitle;
    state.text = answer->itemText;
    state.checked = (answer->state & MFS_CHECKED) != 0;
    state.disabled = (answer->state & MFS_DISABLED) != 0;
    return state;
}
