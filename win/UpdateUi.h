// The recorded enabled and checked states of menu items. Commands change the
// record at any time; a drop-down menu gets them when it opens.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

class UpdateUi {
public:
    // The items the table controls, in the order they are applied; all start
    // enabled and unchecked.
    explicit UpdateUi(std::initializer_list<UINT> commandIds);

    // Ids not in the table are ignored.
    void setItemEnabled(UINT commandId, bool enabled);
    void setItemChecked(UINT commandId, bool checked);

    // Sets every item's state in the opening menu (WM_INITMENUPOPUP's
    // wParam). Items the menu does not hold are left alone; a null menu
    // changes nothing.
    void applyTo(HMENU menu) const;

private:
    struct Entry {
        UINT commandId;
        bool disabled;
        bool checked;
    };

    Entry* find(UINT commandId);

    std::vector<Entry> entries_;
};
