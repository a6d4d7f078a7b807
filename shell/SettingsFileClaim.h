// One running copy per settings file: the first copy that starts on a file
// claims it under a name made from the file's full path, and publishes its
// window there; a later copy on the same file finds that window instead.
// Copies on files in other folders claim other names and run side by side.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "win/Handles.h"

class SettingsFileClaim {
public:
    // Claims the file at path (relative to the current directory or full).
    explicit SettingsFileClaim(const std::wstring& path);
    ~SettingsFileClaim();
    SettingsFileClaim(const SettingsFileClaim&) = delete;
    SettingsFileClaim& operator=(const SettingsFileClaim&) = delete;

    // False when another copy holds the claim. A claim that the system could
    // not make at all counts as held: nothing is gained by refusing to run.
    bool held() const { return held_; }

    // The holder makes its window known to later copies.
    void publish(HWND window);
    // For a later copy: the holder's window, once it has published one;
    // null if none comes within timeoutMs.
    HWND holderWindow(DWORD timeoutMs) const;

    // The claim's kernel object name for a full path: the same for paths that
    // differ only in letter case.
    static std::wstring nameFor(const std::wstring& fullPath);

private:
    UniqueKernelHandle mapping_;
    // The published window handle, as 64 bits so that 32- and 64-bit copies
    // agree.
    volatile std::int64_t* shared_ = nullptr;
    bool held_ = true;
};

// Brings a window of another process to the front, restoring it when it is
// minimised.
void bringToFront(HWND window);
