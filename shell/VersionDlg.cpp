#include "shell/VersionDlg.h"

#include <shellapi.h>

#include <string>
#include <utility>

#include "shell/AboutText.h"
#include "win/DialogCentring.h"
#include "win/Dpi.h"
#include "win/Icons.h"
#include "win/PointFont.h"
#include "ids/ResourceIds.h"

// Headers set up for systems before Windows 2000 leave the hand cursor out.
#ifndef IDC_HAND
#define IDC_HAND MAKEINTRESOURCE(32649)
#endif

namespace {

const COLORREF linkColour = RGB(0, 0, 255);
const int textFontSize = 90;  // tenths of a point
const int linkFontHeight = 12;  // pixels, cell height, at 96 DPI

}  // namespace

CVersionDlg::CVersionDlg(PageOpener pageOpener) : openPage_(std::move(pageOpener)) {}

INT_PTR CVersionDlg::showModal(HWND owner)
{
    return ModalDialog::showModal(owner, IDD_VERSION);
}

void CVersionDlg::openInBrowser(const wchar_t* address)
{
    ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

INT_PTR CVersionDlg::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog();
    case WM_CTLCOLORSTATIC:
        return onCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        return onSetCursor(wParam, lParam);
    case WM_CLOSE:
        endDialog(0);
        return TRUE;
    case WM_COMMAND:
        return onCommand(LOWORD(wParam));
    case dpiChangedMessage:
        // Moved to a monitor of another DPI: the dialog manager scales the
        // template and its font; the two fonts of the dialog's own follow.
        setFonts(LOWORD(wParam));
        return FALSE;
    }
    return FALSE;
}

BOOL CVersionDlg::onInitDialog()
{
    centreDialog(hwnd());
    iconControl_ = item(IDC_VERSION_ICON);
    linkControl_ = item(IDC_VERSION_LINK);
    textControl_ = item(IDC_VERSION_TEXT);

    // From the module the template came from, at the large-icon size.
    const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd(), GWLP_HINSTANCE));
    icon_ = loadLargeIcon(module, IDI_BRIXOL);
    if (icon_)
        SendMessageW(iconControl_, STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);

    keepOwnFontAtDpiChange(textControl_);
    keepOwnFontAtDpiChange(linkControl_);
    setFonts(windowDpi(hwnd()));
    const std::wstring text = std::wstring(about::versionLine) + L"\n" + about::makerLine;
    SetWindowTextW(textControl_, text.c_str());
    SetWindowTextW(linkControl_, about::webAddress);

    // The dialog manager gives the focus to the first tab stop, OK.
    return TRUE;
}

// The text font and the link font for the DPI the dialog is shown at. Each
// replaces the one before only once the control has taken it. Without a
// font of its own a control keeps the template's.
void CVersionDlg::setFonts(int dpi)
{
    if (UniqueFont font = createPointFont(fixedPitchJapaneseFace, textFontSize, dpi)) {
        SendMessageW(textControl_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        textFont_ = std::move(font);
    }
    UniqueFont link(CreateFontW(MulDiv(linkFontHeight, dpi, defaultDpi), 0, 0, 0, 0, FALSE, TRUE, FALSE,
                                SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DRAFT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, L"ＭＳ Ｐゴシック"));
    if (link) {
        SendMessageW(linkControl_, WM_SETFONT, reinterpret_cast<WPARAM>(link.get()), TRUE);
        linkFont_ = std::move(link);
    }
}

INT_PTR CVersionDlg::onCtlColorStatic(HDC dc, HWND control) const
{
    if (control == linkControl_)
        SetTextColor(dc, linkColour);
    // Every static lets the dialog's face show through.
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
}

INT_PTR CVersionDlg::onSetCursor(WPARAM wParam, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(wParam) == linkControl_) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        // TRUE stops the link control from setting its own arrow afterwards.
        return answer(TRUE);
    }
    return answer(DefWindowProcW(hwnd(), WM_SETCURSOR, wParam, lParam));
}

BOOL CVersionDlg::onCommand(WORD id)
{
    switch (id) {
    case IDC_VERSION_LINK:
        // Any notification of the link, click or double click; the dialog
        // stays open.
        if (openPage_)
            openPage_(about::webAddress);
        return TRUE;
    case IDOK:
        SendMessageW(hwnd(), WM_CLOSE, 0, 0);
        return TRUE;
    }
    // IDCANCEL from Esc among them: Esc does not close this dialog.
    return FALSE;
}
