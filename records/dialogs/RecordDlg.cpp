#include "records/dialogs/RecordDlg.h"

#include <cwchar>

#include "win/DialogCentring.h"
#include "ids/ResourceIds.h"

INT_PTR CRecordDlg::showModal(HWND owner)
{
    return ModalDialog::showModal(owner, IDD_RECORD);
}

INT_PTR CRecordDlg::handleMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog();
    case WM_COMMAND:
        // OK by button or Enter, whatever the notification. IDCANCEL (Esc)
        // and WM_CLOSE are left alone, so the dialog stays.
        if (LOWORD(wParam) == IDOK) {
            onOk();
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

BOOL CRecordDlg::onInitDialog()
{
    centreDialog(hwnd());
    nameEdit_ = item(IDC_RECORD_NAME);
    setItemTextOrBeep(IDC_RECORD_NAME, name.c_str());
    // The focus goes to the first tab stop, OK: Enter accepts the preset name.
    return TRUE;
}

void CRecordDlg::onOk()
{
    const int length = GetWindowTextLengthW(nameEdit_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(nameEdit_, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    name = text;
    // A short read means the text changed under us or could not be read;
    // only a name read whole is taken.
    if (copied == length && length <= maxNameLength)
        endDialog(1);
    else
        refuseName();
}

void CRecordDlg::refuseName()
{
    beepAndFocus(nameEdit_);
    wchar_t message[64];
    std::swprintf(message, sizeof message / sizeof message[0], L"文字数は%d文字を超えることはできません",
                  static_cast<int>(maxNameLength));
    MessageBoxW(hwnd(), message, L"Error", MB_OK);
}
