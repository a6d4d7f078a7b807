// The score table dialog: shows the high-score table as aligned text and
// lets the user clear it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "records/HighScoreTable.h"
#include "win/Handles.h"
#include "win/ModalDialog.h"

class CResultsDlg : public ModalDialog<CResultsDlg> {
public:
    // Builds the text from the table as it is now; the dialog works on this
    // very table, which must outlive the object. tableCleared, if given, runs
    // right after the user has cleared the table.
    explicit CResultsDlg(HighScoreTable& highScores, std::function<void()> tableCleared = {});

    // Shows template IDD_RESULTS, owned by owner (may be null), until the user
    // closes it. Returns 0, or -1 when the dialog cannot be created.
    INT_PTR showModal(HWND owner);

private:
    friend class ModalDialog<CResultsDlg>;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    BOOL onInitDialog();
    BOOL onCommand(WORD id);
    void onReset();
    void showText();

    UniqueFont tableFont_;
    HWND textArea_ = nullptr;
    // The table as displayed.
    std::wstring text_;
    HighScoreTable& table_;
    std::function<void()> cleared_;
};
