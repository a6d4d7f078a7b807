// The base of our modal dialogs: the dialog procedure forwards every message
// from WM_INITDIALOG on to the derived class's
// handleMessage(UINT, WPARAM, LPARAM) -> INT_PTR, where FALSE asks for the
// dialog manager's default handling.
#pragma once

#include <windows.h>

#include "win/MessageThunk.h"

template <class Derived>
class ModalDialog {
public:
    ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    // Runs the dialog of template templateId from module (the program's own
    // by default) until endDialog. Returns endDialog's result, or -1 if the
    // dialog could not be created.
    INT_PTR showModal(HWND owner, int templateId, HINSTANCE module = nullptr)
    {
        if (module == nullptr)
            module = GetModuleHandleW(nullptr);
        return DialogBoxParamW(module, MAKEINTRESOURCEW(templateId), owner, &ModalDialog::dialogProc,
                               reinterpret_cast<LPARAM>(this));
    }

    // The dialog while it is shown; null otherwise.
    HWND hwnd() const { return hwnd_; }

protected:
    ~ModalDialog() = default;

    // Closes the dialog once the current message is handled; showModal
    // returns result.
    void endDialog(int result) { EndDialog(hwnd_, result); }

    // The control with that id, or null.
    HWND item(int id) const { return GetDlgItem(hwnd_, id); }

    // Sets a control's text. A dialog cannot say more of a failure than the
    // simple beep, with the focus on the control that shows the wrong text.
    void setItemTextOrBeep(int id, const wchar_t* text)
    {
        if (!SetDlgItemTextW(hwnd_, id, text))
            beepAndFocus(item(id));
    }

    // The simple beep, and the focus on the control the user must look at.
    static void beepAndFocus(HWND control)
    {
        MessageBeep(0xFFFFFFFF);
        SetFocus(control);
    }

    // The answer to a message whose result goes through DWLP_MSGRESULT
    // (WM_SETCURSOR, WM_CTLCOLOR*, notifications): returns what handleMessage
    // returns for it.
    INT_PTR answer(LONG_PTR result)
    {
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
    }

private:
    friend class MessageThunk;

    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept
    {
        ModalDialog* arriving = message == WM_INITDIALOG ? reinterpret_cast<ModalDialog*>(lParam) : nullptr;
        // Messages before WM_INITDIALOG (WM_SETFONT) have no object yet.
        return MessageThunk::forward(dialog, message, wParam, lParam, DWLP_USER, arriving,
                                     [] { return static_cast<INT_PTR>(FALSE); });
    }

    void attachHandle(HWND dialog) { hwnd_ = dialog; }

    INT_PTR dispatch(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return static_cast<Derived*>(this)->handleMessage(message, wParam, lParam);
    }

    HWND hwnd_ = nullptr;
};
