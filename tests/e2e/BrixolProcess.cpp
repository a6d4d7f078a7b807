#include "tests/e2e/BrixolProcess.h"

#include <cstdlib>

#include "tests/e2e/DesktopWindows.h"
#include "tests/e2e/HostPath.h"

#ifndef BRIXOL_EXE
#error "BRIXOL_EXE must name the Brixol.exe under test"
#endif

namespace {

const char* keyRoute = "none";

bool bringToFront(HWND target)
{
    if (GetForegroundWindow() == target)
        return true;
    SetForegroundWindow(target);
    return waitUntil([target] { return GetForegroundWindow() == target; }, 200);
}

void sendKey(WORD virtualKey, const std::function<void()>& whileHeld)
{
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, 0));
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    if (!whileHeld) {
        SendInput(2, inputs, sizeof(INPUT));
        return;
    }
    SendInput(1, &inputs[0], sizeof(INPUT));
    whileHeld();
    SendInput(1, &inputs[1], sizeof(INPUT));
}

// Keys go to the control that has the focus in the target's thread, as typed
// keys would; a dialog then turns Enter and Esc into its commands.
HWND keyReceiver(HWND target)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(target, nullptr), &info) && info.hwndFocus != nullptr &&
        (info.hwndFocus == target || IsChild(target, info.hwndFocus)))
        return info.hwndFocus;
    return target;
}

void postKey(HWND target, WORD virtualKey, const std::function<void()>& whileHeld)
{
    const HWND receiver = keyReceiver(target);
    const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, 0)) << 16;
    // Previous state down and transition state up; unsigned, because bit 31
    // is the sign bit of a 32-bit LPARAM.
    const LPARAM releaseBits = static_cast<LPARAM>(static_cast<ULONG_PTR>(0xC0000000u));
    PostMessageW(receiver, WM_KEYDOWN, virtualKey, 1 | scanCode);
    if (whileHeld)
        whileHeld();
    PostMessageW(receiver, WM_KEYUP, virtualKey, 1 | scanCode | releaseBits);
}

// The program the tests drive: Brixol.exe, or the build named by
// BRIXOL_E2E_PROGRAM (the soak's proof that it sees a leak runs a leaking one).
std::wstring programUnderTest()
{
    const char* chosen = std::getenv("BRIXOL_E2E_PROGRAM");
    return windowsPathOf(chosen != nullptr && *chosen != '\0' ? chosen : BRIXOL_EXE);
}

}  // namespace

BrixolProcess::BrixolProcess(const std::wstring& workingDirectory)
{
    const std::wstring executable = programUnderTest();
    std::wstring commandLine = L"\"" + executable + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (CreateProcessW(executable.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                       workingDirectory.c_str(), &startup, &created)) {
        const UniqueKernelHandle thread(created.hThread);
        process_.reset(created.hProcess);
        id_ = created.dwProcessId;
    } else {
        startError_ = L"CreateProcessW failed with error " + std::to_wstring(GetLastError()) + L" for " + executable;
    }
}

BrixolProcess::~BrixolProcess()
{
    if (!started())
        return;
    if (running())
        terminate();
}

bool BrixolProcess::running() const
{
    return started() && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

HWND BrixolProcess::waitForMainWindow(DWORD timeoutMs) const
{
    return waitForWindow(L"Brixol", L"Brixol", timeoutMs);
}

HWND BrixolProcess::waitForWindow(const wchar_t* className, const wchar_t* title, DWORD timeoutMs) const
{
    HWND found = nullptr;
    waitUntil(
        [&] {
            found = findProcessWindow(id(), className, title);
            return found != nullptr || !running();
        },
        timeoutMs);
    return found;
}

HWND BrixolProcess::waitForDialog(const wchar_t* caption, DWORD timeoutMs) const
{
    return waitForWindow(L"#32770", caption, timeoutMs);
}

HWND BrixolProcess::findDialog(const wchar_t* caption) const
{
    return findProcessWindow(id(), L"#32770", caption);
}

bool BrixolProcess::waitUntilClosed(HWND window, DWORD timeoutMs) const
{
    return waitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

std::string BrixolProcess::describeWindows() const
{
    if (!running())
        return "(the program has ended)";
    return narrow(describeProcessWindows(id()));
}

void BrixolProcess::press(HWND target, WORD virtualKey, const std::function<void()>& whileHeld) const
{
    if (bringToFront(target)) {
        keyRoute = "SendInput";
        sendKey(virtualKey, whileHeld);
    } else {
        keyRoute = "posted key messages";
        postKey(target, virtualKey, whileHeld);
    }
}

const char* BrixolProcess::lastKeyRoute()
{
    return keyRoute;
}

bool BrixolProcess::waitForExit(DWORD timeoutMs) const
{
    return started() && WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD BrixolProcess::exitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (started())
        GetExitCodeProcess(process_.get(), &code);
    return code;
}

void BrixolProcess::terminate()
{
    TerminateProcess(process_.get(), 0xDEAD);
    WaitForSingleObject(process_.get(), exitTimeoutMs);
}
