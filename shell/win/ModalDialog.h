// The base of our modal dialogs: the dialog procedure forwards every message
// from WM_INITDIALOG on to the derived class's
// handleMessage(UINT, WPARAM, LPARAM) -> INT_PTR, where FALSE asks for the
// dialog manager's default handling.
#pragma once

#include <windows.h>

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

private:
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG) {
            auto* self = reinterpret_cast<ModalDialog*>(lParam);
            self->hwnd_ = dialog;
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        }
        // Messages before WM_INITDIALOG (WM_SETFONT) have no object yet.
        auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (self == nullptr)
            return FALSE;

        const INT_PTR result = static_cast<Derived*>(self)->handleMessage(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(dialog, DWLP_USER, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    }

    HWND hwnd_ = nullptr;
};
