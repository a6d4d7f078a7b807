// The settings file on disk: read once into memory by the rules of the
// platform's profile functions, saved into a new file beside it that then
// replaces it in one rename, and kept as a backup first when the program could
// not take it as it stood.
#pragma once

#include <memory>
#include <string>

#include "records/ProfileStorage.h"

class Win32ProfileStorage : public ProfileStorage {
public:
    // A path with a directory part ("./Brixol.ini"), resolved against the
    // current directory at each call.
    explicit Win32ProfileStorage(std::wstring path);

    // ANSI, UTF-16 (either byte order) and UTF-8 files are read in their
    // encoding; a file in an encoding the program cannot read reads as empty.
    // A file that exists but cannot be read, even after waiting for another
    // program to let go of it, gives no values.
    std::unique_ptr<ProfileFile> openForReading() override;
    void keepBeforeReplacing() override { entriesNotTaken_ = true; }
    std::wstring keptBackupPath() const override { return keptBackupPath_; }
    // The new version is written to "<path>.tmp" in one go, in the file's
    // own encoding if that is ANSI or UTF-16LE and holds every value, else
    // in UTF-16LE.
    std::unique_ptr<ProfileReplacement> beginReplacement() override;
    std::wstring fullPath() const override;

    // The backup's name: "<path>.bak", else "<path>.2.bak", "<path>.3.bak"...
    static std::wstring backupPath(const std::wstring& path, int number);

private:
    friend class Win32Replacement;
    // Whether this save must keep the file first: once per run at most.
    bool backupDue(bool fileNeedsIt) const { return !backupKept_ && (fileNeedsIt || entriesNotTaken_); }
    // Copies the file to the first free backup name without ever replacing
    // an earlier backup. True if kept, or if there is no file to keep.
    bool keepBackup();

    std::wstring path_;
    bool entriesNotTaken_ = false;
    bool backupKept_ = false;
    std::wstring keptBackupPath_;
};
