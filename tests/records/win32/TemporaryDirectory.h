// A fresh directory under the temporary folder, made the current directory
// for its lifetime (the settings file is "./Brixol.ini"), then removed.
#pragma once

#include <string>

class TemporaryDirectory {
public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::wstring& path() const { return path_; }

private:
    void removeFiles() const;

    std::wstring previous_;
    std::wstring path_;
};
