#include "tests/support/win32/Win32ProfileFile.h"

#include <windows.h>

#include <utility>

#include "win/Handles.h"

Win32ProfileFile::Win32ProfileFile(std::wstring path) : path_(std::move(path)) {}

std::int32_t Win32ProfileFile::readInt(const std::wstring& section, const std::wstring& key,
                                       std::int32_t defaultValue) const
{
    // The function returns the 32-bit pattern of what it parsed, so the
    // "4294967288" that save writes for -8 comes back as -8.
    return static_cast<std::int32_t>(
        GetPrivateProfileIntW(section.c_str(), key.c_str(), defaultValue, path_.c_str()));
}

std::wstring Win32ProfileFile::readString(const std::wstring& section, const std::wstring& key,
                                          const std::wstring& defaultValue) const
{
    wchar_t buffer[maxStringLength + 1];
    const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                                  static_cast<DWORD>(maxStringLength + 1), path_.c_str());
    return std::wstring(buffer, length);
}

void Win32ProfileFile::writeString(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    createAsUtf16IfMissing();
    if (!WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path_.c_str()))
        writeFailed_ = true;
}

// The profile functions create a new file in the ANSI code page, which turns
// Japanese names into question marks on any system whose code page is not
// Japanese. A file that begins with a UTF-16LE byte-order mark is read and
// written as UTF-16 by them instead. So a new settings file is created as
// that mark alone; a file that exists keeps its encoding: ANSI and UTF-16LE
// are both valid settings files.
void Win32ProfileFile::createAsUtf16IfMissing() const
{
    UniqueFile file(
        CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return;  // it exists; if it cannot be created, the profile write fails the same way
    }
    static const BYTE byteOrderMark[] = {0xFF, 0xFE};
    DWORD written = 0;
    const BOOL wrote = WriteFile(file.get(), byteOrderMark, sizeof byteOrderMark, &written, nullptr);
    file.reset();
    if (!wrote || written != sizeof byteOrderMark) {
        // An empty file would be filled as ANSI; without it the profile
        // functions at least create one of their own.
        DeleteFileW(path_.c_str());
    }
}
