// The settings file as the store sees it: read through a profile, and replaced
// as a whole by a new version written beside it, so that at every instant the
// file holds either the old contents or the new, never a mix.
#pragma once

#include <memory>
#include <string>

#include "records/ProfileFile.h"

// A new version of the file, filled through the profile operations. Nothing
// the old file holds changes until commit; destroyed without a commit, the
// new version is thrown away.
class ProfileReplacement : public ProfileFile {
public:
    // Puts the new version in place of the old file in one step. False when
    // a write or the replacement itself failed; the old file then stays as
    // it was.
    virtual bool commit() = 0;
};

class ProfileStorage {
public:
    virtual ~ProfileStorage() = default;

    // The file's values as they stand now, for one load; no values at all
    // (a null pointer) when the file is there but could not be read.
    virtual std::unique_ptr<ProfileFile> openForReading() = 0;

    // The load could not take the stored entries (a damaged checksum, a
    // count over the bound, a file it could not read): the file as it stands
    // is kept as a backup before the first save replaces it.
    virtual void keepBeforeReplacing() = 0;
    // Where that backup went once a commit kept it; empty before, or when
    // there was no file to keep.
    virtual std::wstring keptBackupPath() const = 0;

    // A new version that starts with everything the file holds now, so that
    // sections and keys of others survive the save.
    virtual std::unique_ptr<ProfileReplacement> beginReplacement() = 0;

    // The file's full path, for messages to the user.
    virtual std::wstring fullPath() const = 0;
};
