// What a test does in place of the user, from a second thread, to a modal
// dialog running on the test's own thread. Actions that may open a message
// box or end the dialog are posted, so the acting thread never waits on a
// nested modal loop; reads are sent with a time limit. Every wait is bounded
// by waitLimitMs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/win32/Waiting.h"

// A visible top-level dialog (class #32770) of thread with exactly that
// caption, or null.
HWND findDialog(DWORD thread, const std::wstring& caption);
// Every visible top-level dialog of thread, message boxes included.
std::vector<HWND> openDialogs(DWORD thread);
// The same, waiting for it to appear; null if it does not.
HWND waitForDialog(DWORD thread, const std::wstring& caption);
// Waits for the window to be destroyed.
bool waitForClosed(HWND window);

std::wstring textOf(HWND window);
std::wstring itemText(HWND dialog, int id);
// As if typed: the text is in the control when this returns.
void setItemText(HWND dialog, int id, const std::wstring& text);
// The text of a message box.
std::wstring messageBoxText(HWND box);

// The window with the keyboard focus in thread, or null.
HWND focusIn(DWORD thread);
// The cursor that thread has set (its input state is shared for the call).
HCURSOR cursorOf(DWORD thread);

// A key press and release, posted to the focus of the dialog's thread (or
// the dialog), where the dialog's message loop sees it like a real key.
void pressKey(HWND dialog, UINT virtualKey);
// The command a click on control id sends to the dialog.
void click(HWND dialog, int id, WORD notification = BN_CLICKED);
// The close box, through the system command it sends.
void pressCloseBox(HWND dialog);
// Answers a message box with one of its buttons.
void answer(HWND box, int buttonId);

// The font a control draws with.
LOGFONTW fontOf(HWND control);
