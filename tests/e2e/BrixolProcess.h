// Brixol.exe started in a directory of the test's choosing and driven from
// outside: its windows are found by class and title, keys are pressed on them
// and its end is awaited with a bound.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "win/Handles.h"

class BrixolProcess {
public:
    // Bounds for the program's reactions. Generous, because wine on a shared
    // machine can be slow; the waits end as soon as the reaction is seen.
    static constexpr DWORD windowTimeoutMs = 10000;
    static constexpr DWORD exitTimeoutMs = 10000;

    // Starts the program with this current directory, where it keeps
    // "./Brixol.ini".
    explicit BrixolProcess(const std::wstring& workingDirectory);
    // A program still running at this point is ended, so that no case leaves
    // one behind for the next.
    ~BrixolProcess();
    BrixolProcess(const BrixolProcess&) = delete;
    BrixolProcess& operator=(const BrixolProcess&) = delete;

    bool started() const { return static_cast<bool>(process_); }
    // Why the start failed, for the failure message.
    const std::wstring& startError() const { return startError_; }
    DWORD id() const { return id_; }
    HANDLE handle() const { return process_.get(); }
    bool running() const;

    // The main window ("Brixol" of class "Brixol") once it is visible.
    HWND waitForMainWindow(DWORD timeoutMs = windowTimeoutMs) const;
    // A visible top-level window of this process, dialogs and message boxes
    // included (class "#32770").
    HWND waitForWindow(const wchar_t* className, const wchar_t* title, DWORD timeoutMs = windowTimeoutMs) const;
    HWND waitForDialog(const wchar_t* caption, DWORD timeoutMs = windowTimeoutMs) const;
    HWND findDialog(const wchar_t* caption) const;
    bool waitUntilClosed(HWND window, DWORD timeoutMs = windowTimeoutMs) const;
    // The process's visible windows, for failure messages.
    std::string describeWindows() const;

    // One press and release of the key on that window, with whileHeld run
    // in between (it waits for what holding the key must bring about): real
    // keyboard input when the window can be brought to the front, otherwise
    // the key messages posted to its focused control (the program's message
    // loop translates its shortcuts from posted keys as well).
    void press(HWND target, WORD virtualKey, const std::function<void()>& whileHeld = {}) const;

    // True once the process has ended; false if it is still running at the
    // bound. A program left running is ended by the destructor, after the
    // failure message has described its windows.
    bool waitForExit(DWORD timeoutMs = exitTimeoutMs) const;
    DWORD exitCode() const;
    // Ends the program at once, as Task Manager or a power cut would: no
    // message reaches it.
    void terminate();

    // How the last key reached the program, for the log.
    static const char* lastKeyRoute();

private:
    UniqueKernelHandle process_;
    DWORD id_ = 0;
    std::wstring startError_;
};
