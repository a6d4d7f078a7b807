#include "tests/support/win32/TemporaryDirectory.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/win32/Waiting.h"
#include "win/Handles.h"

namespace {

std::wstring currentDirectory()
{
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, buffer);
    return std::wstring(buffer, length < MAX_PATH ? length : 0);
}

std::wstring temporaryFolder()
{
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, buffer);
    return std::wstring(buffer, length < MAX_PATH ? length : 0);
}

}  // namespace

TemporaryDirectory::TemporaryDirectory(Use use) : previous_(currentDirectory())
{
    static unsigned counter = 0;
    const std::wstring base = temporaryFolder() + L"brixol-test-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    for (int attempt = 0; attempt < 100 && !created_; ++attempt) {
        path_ = base + std::to_wstring(counter++);
        created_ = CreateDirectoryW(path_.c_str(), nullptr) != FALSE;
    }
    EXPECT_TRUE(created_) << "cannot create a temporary directory";
    if (created_ && use == Use::MakeCurrent) {
        EXPECT_TRUE(SetCurrentDirectoryW(path_.c_str())) << "cannot enter the temporary directory";
    }
}

TemporaryDirectory::~TemporaryDirectory()
{
    SetCurrentDirectoryW(previous_.c_str());
    if (!created_)
        return;
    // A program ended by force may hold its file for a moment.
    const bool removed = waitUntil([this] { return removeFiles() && RemoveDirectoryW(path_.c_str()); }, 2000);
    EXPECT_TRUE(removed) << "temporary directory left behind";
}

// The tests create files only, no subdirectories.
bool TemporaryDirectory::removeFiles() const
{
    WIN32_FIND_DATAW found;
    const UniqueFind search(FindFirstFileW((path_ + L"\\*").c_str(), &found));
    if (!search)
        return true;
    bool removedAll = true;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            removedAll = DeleteFileW((path_ + L"\\" + found.cFileName).c_str()) && removedAll;
    } while (FindNextFileW(search.get(), &found));
    return removedAll;
}

bool TemporaryDirectory::contains(const wchar_t* name) const
{
    return GetFileAttributesW((path_ + L"\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}
