// Looking at and operating the windows of another process: they are found by
// class and title among that process's top-level windows, read through
// messages (their texts live in the other process), and operated through
// posted messages, because a button that opens a modal box would hold a sent
// message until that box closes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The tests wait for the other process with waitUntil, never assuming how
// fast it is.
#include "tests/support/win32/Waiting.h"

// A visible top-level window of the process with this class and title.
HWND findProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title);
// Whether the process shows any top-level window at all.
bool showsAnyWindow(DWORD processId);
// Every visible top-level window of the process, as "class 'title'" lines for
// failure messages.
std::wstring describeProcessWindows(DWORD processId);

std::wstring windowClass(HWND window);
// The text as the window itself reports it (WM_GETTEXT), so an edit or a
// static control of another process gives its current contents.
std::wstring windowText(HWND window);
std::wstring dialogItemText(HWND dialog, int controlId);
// The texts of all child controls, one per line: the message of a message box
// is one of them.
std::wstring childTexts(HWND dialog);
bool setDialogItemText(HWND dialog, int controlId, const std::wstring& text);

// As a click on the control would: WM_COMMAND with BN_CLICKED (for a static
// control with SS_NOTIFY that is STN_CLICKED, the same value 0).
void postControlClick(HWND dialog, int controlId);

// A sent message that the other thread answers only once it is back in its
// message loop; false if it does not answer within the bound.
bool answersMessages(HWND window, DWORD timeoutMs);

// Narrow text for failure messages (gtest prints std::string).
std::string narrow(const std::wstring& text);
