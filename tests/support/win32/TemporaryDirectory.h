// A fresh directory under the temporary folder, made the current directory
// for its lifetime (the program reads "./Brixol.ini" and "background.*" from
// there), then removed with the files in it.
#pragma once

#include <string>

class TemporaryDirectory {
public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::wstring& path() const { return path_; }
    // Whether a file of that name is in the directory.
    bool contains(const wchar_t* name) const;

private:
    void removeFiles() const;

    std::wstring previous_;
    std::wstring path_;
};
