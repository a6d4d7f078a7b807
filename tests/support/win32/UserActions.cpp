#include "tests/support/win32/UserActions.h"

#include <vector>

namespace {

// For reads that the dialog's thread answers; it never blocks for long.
const UINT sendLimitMs = 5000;

BOOL CALLBACK collectDialog(HWND window, LPARAM param)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

LPARAM keyData(UINT virtualKey, bool release)
{
    const LPARAM scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    LPARAM data = 1 | (scanCode << 16);
    if (release)
        data |= (1 << 30) | (static_cast<LPARAM>(1) << 31);
    return data;
}

}  // namespace

HWND findDialog(DWORD thread, const std::wstring& caption)
{
    for (const HWND dialog : openDialogs(thread)) {
        // Read without a message, so that a busy dialog thread cannot stall the search.
        std::vector<wchar_t> text(caption.size() + 2);
        InternalGetWindowText(dialog, text.data(), static_cast<int>(text.size()));
        if (text.data() == caption)
            return dialog;
    }
    return nullptr;
}

std::vector<HWND> openDialogs(DWORD thread)
{
    std::vector<HWND> dialogs;
    EnumThreadWindows(thread, collectDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

HWND waitForDialog(DWORD thread, const std::wstring& caption)
{
    HWND dialog = nullptr;
    waitUntil([&] { return (dialog = findDialog(thread, caption)) != nullptr; });
    return dialog;
}

bool waitForClosed(HWND window)
{
    return waitUntil([&] { return !IsWindow(window); });
}

std::wstring textOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, sendLimitMs, &length))
        return L"<no answer>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL,
                             sendLimitMs, &copied))
        return L"<no answer>";
    text.resize(copied);
    return text;
}

std::wstring itemText(HWND dialog, int id)
{
    return textOf(GetDlgItem(dialog, id));
}

void setItemText(HWND dialog, int id, const std::wstring& text)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                        sendLimitMs, &result);
}

std::wstring messageBoxText(HWND box)
{
    // The message is the static with id 0xFFFF, on Windows and in wine.
    return itemText(box, 0xFFFF);
}

HWND focusIn(DWORD thread)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

HCURSOR cursorOf(DWORD thread)
{
    // AttachThreadInput needs a message queue on this thread too.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    if (!AttachThreadInput(GetCurrentThreadId(), thread, TRUE))
        return nullptr;
    const HCURSOR cursor = GetCursor();
    AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
    return cursor;
}

void pressKey(HWND dialog, UINT virtualKey)
{
    HWND target = focusIn(GetWindowThreadProcessId(dialog, nullptr));
    if (target == nullptr)
        target = dialog;
    PostMessageW(target, WM_KEYDOWN, virtualKey, keyData(virtualKey, false));
    PostMessageW(target, WM_KEYUP, virtualKey, keyData(virtualKey, true));
}

void click(HWND dialog, int id, WORD notification)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, notification), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void pressCloseBox(HWND dialog)
{
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void answer(HWND box, int buttonId)
{
    click(box, buttonId);
}

LOGFONTW fontOf(HWND control)
{
    LOGFONTW font{};
    DWORD_PTR handle = 0;
    if (SendMessageTimeoutW(control, WM_GETFONT, 0, 0, SMTO_NORMAL, sendLimitMs, &handle) && handle != 0)
        GetObjectW(reinterpret_cast<HFONT>(handle), sizeof font, &font);
    return font;
}
