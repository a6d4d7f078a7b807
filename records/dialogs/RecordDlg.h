// The name entry of a new high score: asks for the holder's name, at most
// maxNameLength UTF-16 units, and cannot be left any other way.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "win/ModalDialog.h"

class CRecordDlg : public ModalDialog<CRecordDlg> {
public:
    // Shows template IDD_RECORD, owned by owner (may be null), with name in
    // the edit field, until a short enough name is confirmed. Returns 1, or
    // -1 when the dialog cannot be created.
    INT_PTR showModal(HWND owner);

    const std::int32_t maxNameLength = 10;
    // The preset name before, the accepted name after showModal.
    std::wstring name = L"名無しさん";

private:
    friend class ModalDialog<CRecordDlg>;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    BOOL onInitDialog();
    void onOk();
    void refuseName();

    HWND nameEdit_ = nullptr;
};
