// A fresh directory under the temporary folder, removed with the files in it
// at the end. Tests of code that reads "./Brixol.ini" and "background.*" make
// it the current directory for its lifetime; tests that start the program in
// it leave the current directory alone.
#pragma once

#include <string>

class TemporaryDirectory {
public:
    enum class Use { MakeCurrent, KeepCurrent };

    explicit TemporaryDirectory(Use use = Use::MakeCurrent);
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    // Without a trailing backslash.
    const std::wstring& path() const { return path_; }
    bool created() const { return created_; }
    // Whether a file of that name is in the directory.
    bool contains(const wchar_t* name) const;

private:
    bool removeFiles() const;

    std::wstring previous_;
    std::wstring path_;
    bool created_ = false;
};
