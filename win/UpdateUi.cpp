#include "win/UpdateUi.h"

UpdateUi::UpdateUi(std::initializer_list<UINT> commandIds)
{
    entries_.reserve(commandIds.size());
    for (const UINT id : commandIds)
        entries_.push_back(Entry{id, false, false});
}

void UpdateUi::setItemEnabled(UINT commandId, bool enabled)
{
    if (Entry* entry = find(commandId))
        entry->disabled = !enabled;
}

void UpdateUi::setItemChecked(UINT commandId, bool checked)
{
    if (Entry* entry = find(commandId))
        entry->checked = checked;
}

void UpdateUi::applyTo(HMENU menu) const
{
    if (menu == nullptr)
        return;
    for (const Entry& entry : entries_) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_STATE;
        item.fState = (entry.disabled ? MFS_GRAYED | MFS_DISABLED : MFS_ENABLED) |
                      (entry.checked ? MFS_CHECKED : MFS_UNCHECKED);
        // Fails for an item the menu does not hold, which is fine: the same
        // table serves every drop-down menu of the bar.
        SetMenuItemInfoW(menu, entry.commandId, FALSE, &item);
    }
}

UpdateUi::Entry* UpdateUi::find(UINT commandId)
{
    for (Entry& entry : entries_) {
        if (entry.commandId == commandId)
            return &entry;
    }
    return nullptr;
}
