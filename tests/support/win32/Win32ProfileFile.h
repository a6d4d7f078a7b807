// A file through the platform's profile functions: the reference the
// program's own reading of the settings file is checked against, and how a
// test edits the file as another program or an editor would.
#pragma once

#include <string>

#include "records/ProfileFile.h"

class Win32ProfileFile : public ProfileFile {
public:
    // A path with a directory part ("./Brixol.ini") is resolved against the
    // current directory at each call; a bare file name would be looked up in
    // the Windows directory by the profile functions.
    explicit Win32ProfileFile(std::wstring path);

    std::int32_t readInt(const std::wstring& section, const std::wstring& key,
                         std::int32_t defaultValue) const override;
    std::wstring readString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& defaultValue) const override;
    // Creates a missing file as UTF-16 first (see the .cpp).
    void writeString(const std::wstring& section, const std::wstring& key, const std::wstring& value) override;

    // Whether any write so far has failed.
    bool writeFailed() const { return writeFailed_; }

private:
    void createAsUtf16IfMissing() const;

    std::wstring path_;
    bool writeFailed_ = false;
};
