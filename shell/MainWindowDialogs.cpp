#include "shell/MainWindowDialogs.h"

#include "records/dialogs/RecordDlg.h"
#include "records/dialogs/ResultsDlg.h"
#include "shell/VersionDlg.h"

std::wstring askHighScoreName(HWND owner)
{
    CRecordDlg dialog;
    dialog.showModal(owner);
    return dialog.name;
}

void showResultsDialog(HWND owner, HighScoreTable& table)
{
    CResultsDlg dialog(table);
    dialog.showModal(owner);
}

void showVersionDialog(HWND owner)
{
    CVersionDlg dialog;
    dialog.showModal(owner);
}
