#include "shell/MainWindowDialogs.h"

#include "records/dialogs/RecordDlg.h"
#include "records/dialogs/ResultsDlg.h"
#include "shell/VersionDlg.h"

std::optional<std::wstring> askHighScoreName(HWND owner)
{
    CRecordDlg dialog;
    // Only a confirmed name ends the dialog with 1; -1 means it never showed.
    if (dialog.showModal(owner) != 1)
        return std::nullopt;
    return dialog.name;
}

void showResultsDialog(HWND owner, HighScoreTable& table, const std::function<void()>& tableCleared)
{
    CResultsDlg dialog(table, tableCleared);
    dialog.showModal(owner);
}

void showVersionDialog(HWND owner)
{
    CVersionDlg dialog;
    dialog.showModal(owner);
}
