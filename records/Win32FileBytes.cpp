#include "records/Win32FileBytes.h"

#include <windows.h>

#include "win/Handles.h"

namespace {

// About a second in all: a scanner or a sync client lets go well within it.
constexpr int kTries = 40;
constexpr DWORD kPauseMs = 25;

bool heldByAnother(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// Runs attempt, which gives ERROR_SUCCESS or the error it met, again while
// another program holds the file, up to the bound; returns the last result.
template <class Attempt>
DWORD retriedWhileHeld(Attempt attempt)
{
    for (int tried = 1;; ++tried) {
        const DWORD error = attempt();
        if (error == ERROR_SUCCESS || !heldByAnother(error) || tried == kTries)
            return error;
        Sleep(kPauseMs);
    }
}

FileRead readOnce(const std::wstring& path, std::size_t maxBytes, std::string& bytes, DWORD& error)
{
    bytes.clear();
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileRead::Missing : FileRead::Failed;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) {
        error = GetLastError();
        return FileRead::Failed;
    }
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        return FileRead::TooLarge;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), &bytes[done], static_cast<DWORD>(bytes.size() - done), &got, nullptr)) {
            error = GetLastError();  // a range another program has locked
            return FileRead::Failed;
        }
        if (got == 0)
            break;  // the file shrank meanwhile
        done += got;
    }
    bytes.resize(done);
    return FileRead::Read;
}

}  // namespace

FileRead readFileBytes(const std::wstring& path, std::size_t maxBytes, std::string& bytes)
{
    FileRead result = FileRead::Failed;
    retriedWhileHeld([&] {
        DWORD error = ERROR_SUCCESS;
        result = readOnce(path, maxBytes, bytes, error);
        return result == FileRead::Failed ? error : ERROR_SUCCESS;
    });
    return result;
}

bool writeFileBytes(const std::wstring& path, const std::string& bytes)
{
    const UniqueFile file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    if (!bytes.empty() &&
        (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
         written != bytes.size()))
        return false;
    return FlushFileBuffers(file.get()) != FALSE;
}

bool flushFileToDisk(const std::wstring& path)
{
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && FlushFileBuffers(file.get()) != FALSE;
}

bool moveFileOver(const std::wstring& from, const std::wstring& to)
{
    return retriedWhileHeld([&] {
               return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                          ? static_cast<DWORD>(ERROR_SUCCESS)
                          : GetLastError();
           }) == ERROR_SUCCESS;
}
