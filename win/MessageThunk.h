// The one way our window and dialog procedures reach their C++ objects: the
// object is stored in a slot of the window when its first message arrives
// and forgotten after WM_NCDESTROY, the last message a window gets. No
// exception leaves it: the system's code that called the procedure cannot be
// unwound.
#pragma once

#include <windows.h>

#include <exception>

// The exit code of a process ended by an exception that reached a window or
// dialog procedure: the code of a fail-fast.
constexpr DWORD escapedExceptionExitCode = 0xC0000409;

// forward passes a message to object->dispatch(message, wParam, lParam).
// `arriving` is the object when this message is the one that brings it
// (WM_NCCREATE, WM_INITDIALOG), else null; `slot` is the window long that
// keeps it (GWLP_USERDATA, DWLP_USER). Messages before the object arrives, or
// after it has gone, get `unhandled()`.
// The bases that use it name it a friend, so that attachHandle and dispatch
// stay private to them.
class MessageThunk {
public:
    template <class Object, class Unhandled>
    static auto forward(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int slot, Object* arriving,
                        Unhandled unhandled) noexcept
    {
        try {
            if (arriving != nullptr) {
                arriving->attachHandle(window);
                SetWindowLongPtrW(window, slot, reinterpret_cast<LONG_PTR>(arriving));
            }
            auto* object = reinterpret_cast<Object*>(GetWindowLongPtrW(window, slot));
            if (object == nullptr)
                return unhandled();

            const auto result = object->dispatch(message, wParam, lParam);
            if (message == WM_NCDESTROY) {
                SetWindowLongPtrW(window, slot, 0);
                object->attachHandle(nullptr);
            }
            return result;
        } catch (...) {
            endProcess(message, std::current_exception());
        }
    }

private:
    // Says which message the exception escaped from, and what it was, on the
    // debugger's output and the standard error, then ends the process at
    // once: whatever the handler left half done must not run on.
    [[noreturn]] static void endProcess(UINT message, std::exception_ptr escaped) noexcept;
};
