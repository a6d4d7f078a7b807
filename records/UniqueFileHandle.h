// Owns a kernel file handle and closes it when it goes out of scope.
#pragma once

#include <windows.h>

class UniqueFileHandle {
public:
    explicit UniqueFileHandle(HANDLE handle) : handle_(handle) {}
    ~UniqueFileHandle() { reset(); }
    UniqueFileHandle(const UniqueFileHandle&) = delete;
    UniqueFileHandle& operator=(const UniqueFileHandle&) = delete;

    HANDLE get() const { return handle_; }
    // CreateFileW reports failure as INVALID_HANDLE_VALUE, not as null.
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }

    void reset()
    {
        if (*this) {
            CloseHandle(handle_);
        }
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};
