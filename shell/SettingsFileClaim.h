// One running copy per settings file, from before its load to after its last
// save: the first copy that starts on a file takes a claim named after the
// file's full path and holds it for its whole life. A later copy on the same
// file hands over to it, or, while it is closing, waits for it to end and then
// runs. Copies on files in other folders claim other names and run side by
// side.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "win/Handles.h"

class SettingsFileClaim {
public:
    // Tries to take the claim on the file at path (relative to the current
    // directory, or full) at once. Made on the thread that will create the
    // program's windows, and destroyed on it.
    explicit SettingsFileClaim(const std::wstring& path);
    ~SettingsFileClaim();
    SettingsFileClaim(const SettingsFileClaim&) = delete;
    SettingsFileClaim& operator=(const SettingsFileClaim&) = delete;

    // False while another copy holds the claim. A claim that the system could
    // not make at all counts as held: nothing is gained by refusing to run.
    bool held() const { return held_; }

    // For a copy that does not hold the claim. While the holder is starting
    // or running, waits until it shows a window or a box, brings that to the
    // front and returns false: this copy is to end without a window of its
    // own. While the holder is closing, waits for it to end. Once the holder
    // has ended (or died), takes the claim and returns true: this copy runs.
    bool waitForTurn();

    // The holder begins to close: a copy started from now on waits for it
    // instead of handing over to a window that is going away.
    void announceClosing();

    // The name the claim's kernel objects are made from, for a full path:
    // the same for paths that differ only in letter case.
    static std::wstring nameFor(const std::wstring& fullPath);

private:
    void takeOver();
    void publish(bool closing);
    std::uint64_t published() const;

    UniqueKernelHandle owner_;    // a mutex, owned by the holder's thread
    UniqueKernelHandle mapping_;  // where the holder says who it is
    // The holder's window thread (low 32 bits) and whether it is closing
    // (bit 32), in one 64-bit value that a copy of either bitness reads whole.
    volatile LONG64* shared_ = nullptr;
    bool held_ = true;
};
