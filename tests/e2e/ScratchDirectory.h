// An empty directory of its own for one case, where the program under test
// keeps its "./Brixol.ini"; removed with its files at the end of the case.
#pragma once

#include <string>

class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    bool created() const { return created_; }
    // Without a trailing backslash.
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
    bool created_ = false;
};
