#include "tests/e2e/ScratchDirectory.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/e2e/DesktopWindows.h"

namespace {

std::wstring temporaryFolder()
{
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    return std::wstring(buffer, length <= MAX_PATH ? length : 0);
}

// The program writes nothing but its settings file; anything else found here
// is removed all the same, subdirectories excepted.
bool removeFilesIn(const std::wstring& directory)
{
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((directory + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return true;
    bool removedAll = true;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            removedAll = DeleteFileW((directory + L"\\" + found.cFileName).c_str()) && removedAll;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return removedAll;
}

}  // namespace

ScratchDirectory::ScratchDirectory()
{
    static unsigned counter = 0;
    const std::wstring base =
        temporaryFolder() + L"brixol-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    for (int attempt = 0; attempt < 100 && !created_; ++attempt) {
        path_ = base + std::to_wstring(counter++);
        created_ = CreateDirectoryW(path_.c_str(), nullptr) != FALSE;
    }
    EXPECT_TRUE(created_) << "cannot create a temporary directory like " << narrow(path_);
}

ScratchDirectory::~ScratchDirectory()
{
    if (!created_)
        return;
    // A program ended by force may need a moment before its file is free.
    const bool removed = waitUntil([this] { return removeFilesIn(path_) && RemoveDirectoryW(path_.c_str()); }, 2000);
    EXPECT_TRUE(removed) << "temporary directory left behind: " << narrow(path_);
}
