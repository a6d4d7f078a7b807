#include "tests/support/win32/TemporaryDirectory.h"

#include <windows.h>

#include <gtest/gtest.h>

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

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE) {
            FindClose(handle_);
        }
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

}  // namespace

TemporaryDirectory::TemporaryDirectory() : previous_(currentDirectory())
{
    static unsigned created = 0;
    const std::wstring base = temporaryFolder() + L"brixol-test-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    do {
        path_ = base + std::to_wstring(created++);
    } while (!CreateDirectoryW(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(SetCurrentDirectoryW(path_.c_str())) << "cannot enter the temporary directory";
}

TemporaryDirectory::~TemporaryDirectory()
{
    SetCurrentDirectoryW(previous_.c_str());
    removeFiles();
    EXPECT_TRUE(RemoveDirectoryW(path_.c_str())) << "temporary directory left behind";
}

// The tests create files only, no subdirectories.
void TemporaryDirectory::removeFiles() const
{
    WIN32_FIND_DATAW found;
    const FindHandle search(FindFirstFileW((path_ + L"\\*").c_str(), &found));
    if (search.get() == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            DeleteFileW((path_ + L"\\" + found.cFileName).c_str());
        }
    } while (FindNextFileW(search.get(), &found));
}

bool TemporaryDirectory::contains(const wchar_t* name) const
{
    return GetFileAttributesW((path_ + L"\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}
