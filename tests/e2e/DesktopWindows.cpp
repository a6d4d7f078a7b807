#include "tests/e2e/DesktopWindows.h"

namespace {

// Long enough for a wine process that is busy painting; a window that does
// not answer in this time is hung as far as the tests are concerned.
constexpr UINT kAnswerTimeoutMs = 5000;

struct ProcessWindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK collectProcessWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<ProcessWindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> processWindows(DWORD processId)
{
    ProcessWindowSearch search{processId, {}};
    EnumWindows(collectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The caption as stored with a top-level window; unlike WM_GETTEXT it needs
// no answer from a thread that may be busy.
std::wstring storedTitle(HWND window)
{
    wchar_t buffer[256] = {};
    const int length = GetWindowTextW(window, buffer, 256);
    return std::wstring(buffer, length > 0 ? length : 0);
}

BOOL CALLBACK collectChildText(HWND child, LPARAM parameter)
{
    auto* texts = reinterpret_cast<std::wstring*>(parameter);
    *texts += windowText(child);
    *texts += L'\n';
    return TRUE;
}

}  // namespace

HWND findProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title)
{
    for (const HWND window : processWindows(processId)) {
        if (windowClass(window) == className && storedTitle(window) == title)
            return window;
    }
    return nullptr;
}

bool showsAnyWindow(DWORD processId)
{
    return !processWindows(processId).empty();
}

std::wstring describeProcessWindows(DWORD processId)
{
    std::wstring description;
    for (const HWND window : processWindows(processId))
        description += windowClass(window) + L" '" + storedTitle(window) + L"'\n";
    return description.empty() ? L"(no visible window)\n" : description;
}

std::wstring windowClass(HWND window)
{
    wchar_t buffer[256] = {};
    const int length = GetClassNameW(window, buffer, 256);
    return std::wstring(buffer, length > 0 ? length : 0);
}

std::wstring windowText(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &length))
        return L"";
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG,
                             kAnswerTimeoutMs, &copied))
        return L"";
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::wstring dialogItemText(HWND dialog, int controlId)
{
    const HWND control = GetDlgItem(dialog, controlId);
    return control != nullptr ? windowText(control) : L"";
}

std::wstring childTexts(HWND dialog)
{
    std::wstring texts;
    EnumChildWindows(dialog, collectChildText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

bool setDialogItemText(HWND dialog, int controlId, const std::wstring& text)
{
    const HWND control = GetDlgItem(dialog, controlId);
    DWORD_PTR result = 0;
    return control != nullptr &&
           SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                               kAnswerTimeoutMs, &result) != 0 &&
           result != FALSE;
}

void postControlClick(HWND dialog, int controlId)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, controlId)));
}

bool answersMessages(HWND window, DWORD timeoutMs)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

std::string narrow(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size, nullptr, nullptr);
    return bytes;
}
