#include "records/dialogs/ResultsDlg.h"

#include <utility>

#include "records/ScoreTableText.h"
#include "win/DialogCentring.h"
#include "win/PointFont.h"
#include "ids/ResourceIds.h"

namespace {

// A fixed-pitch face keeps the columns of the table aligned.
const int tableFontSize = 100;  // tenths of a point

}  // namespace

CResultsDlg::CResultsDlg(HighScoreTable& highScores, std::function<void()> tableCleared)
    : text_(buildScoreTableText(highScores.records)), table_(highScores), cleared_(std::move(tableCleared))
{
}

INT_PTR CResultsDlg::showModal(HWND owner)
{
    return ModalDialog::showModal(owner, IDD_RESULTS);
}

INT_PTR CResultsDlg::handleMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog();
    case WM_COMMAND:
        return onCommand(LOWORD(wParam));
    case WM_CLOSE:
        // From "閉じる" and from the close box.
        endDialog(0);
        return TRUE;
    }
    return FALSE;
}

BOOL CResultsDlg::onInitDialog()
{
    centreDialog(hwnd());
    textArea_ = item(IDC_RESULTS_TEXT);
    showText();
    tableFont_ = createPointFont(fixedPitchJapaneseFace, tableFontSize);
    if (tableFont_)
        SendMessageW(textArea_, WM_SETFONT, reinterpret_cast<WPARAM>(tableFont_.get()), TRUE);
    // The focus goes to the first tab stop, "閉じる": Enter closes.
    return TRUE;
}

BOOL CResultsDlg::onCommand(WORD id)
{
    switch (id) {
    case IDC_RESULTS_CLOSE:
        SendMessageW(hwnd(), WM_CLOSE, 0, 0);
        return TRUE;
    case IDC_RESULTS_RESET:
        onReset();
        return TRUE;
    }
    // IDOK and IDCANCEL are left alone: Esc does not close the dialog.
    return FALSE;
}

void CResultsDlg::onReset()
{
    if (MessageBoxW(hwnd(), L"成績表をクリアしますか？", L"確認", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    table_.clear();
    // The empty table's text, "データはありません".
    text_ = buildScoreTableText(table_.records);
    showText();
    if (cleared_)
        cleared_();
}

void CResultsDlg::showText()
{
    setItemTextOrBeep(IDC_RESULTS_TEXT, text_.c_str());
}
