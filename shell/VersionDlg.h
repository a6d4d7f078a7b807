// The version dialog: the program icon, the version and maker's lines, and
// the address of the maker's web page as a link that opens it.
#pragma once

#include <windows.h>

#include <functional>

#include "win/Handles.h"
#include "win/ModalDialog.h"

class CVersionDlg : public ModalDialog<CVersionDlg> {
public:
    // Opens a web page. Tests pass their own so that no browser starts.
    using PageOpener = std::function<void(const wchar_t* address)>;

    explicit CVersionDlg(PageOpener pageOpener = openInBrowser);

    // Shows template IDD_VERSION, owned by owner (may be null), until the
    // user closes it. Returns 0, or -1 when the dialog cannot be created.
    INT_PTR showModal(HWND owner);

    // The default opener: the user's browser through ShellExecuteW. A page
    // that does not open is not reported.
    static void openInBrowser(const wchar_t* address);

private:
    friend class ModalDialog<CVersionDlg>;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    BOOL onInitDialog();
    void setFonts(int dpi);
    INT_PTR onCtlColorStatic(HDC dc, HWND control) const;
    INT_PTR onSetCursor(WPARAM wParam, LPARAM lParam);
    BOOL onCommand(WORD id);

    // Deleted in reverse order: the text font first, then the link font.
    UniqueFont linkFont_;
    UniqueFont textFont_;
    HWND iconControl_ = nullptr;
    HWND linkControl_ = nullptr;
    HWND textControl_ = nullptr;
    // The icon control shows it but does not own it.
    UniqueIcon icon_;
    PageOpener openPage_;
};
