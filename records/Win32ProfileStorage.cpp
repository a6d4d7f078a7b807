#include "records/Win32ProfileStorage.h"

#include <windows.h>

#include <utility>

#include "records/StoredSettingsText.h"
#include "records/Win32FileBytes.h"
#include "records/Win32ProfileFile.h"
#include "win/FullPath.h"

namespace {

// A settings file is a few hundred bytes; even a name of 100,000 characters
// stays far below this.
constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;

bool decodeAnsiStrictly(const std::string& bytes, std::wstring& text)
{
    text.clear();
    if (bytes.empty())
        return true;
    const int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(),
                                           static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0)
        return false;
    text.resize(static_cast<std::size_t>(length));
    return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                               &text[0], length) == length;
}

std::wstring decodeAnsi(const std::string& bytes)
{
    std::wstring text;
    if (bytes.empty())
        return text;
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0)
        return text;
    text.resize(static_cast<std::size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], length);
    return text;
}

// Whether the profile functions can store the text in an ANSI file without
// turning characters into question marks.
bool fitsAnsiCodePage(const std::wstring& text)
{
    if (text.empty() || GetACP() == CP_UTF8)
        return true;  // a UTF-8 code page holds everything (and takes no default-char query)
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, &usedDefault);
    return length > 0 && !usedDefault;
}

struct StoredFile {
    FileRead read = FileRead::Missing;
    std::string bytes;
    StoredSettingsText text;
};

StoredFile inspect(const std::wstring& path)
{
    StoredFile stored;
    stored.read = readFileBytes(path, kMaxFileBytes, stored.bytes);
    if (stored.read == FileRead::Read) {
        stored.text = readStoredSettingsText(stored.bytes, decodeAnsiStrictly);
    } else if (stored.read == FileRead::TooLarge) {
        stored.text.encoding = StoredEncoding::Unreadable;  // kept as a backup, never read
        stored.text.needsBackup = true;
    }
    return stored;
}

// What load reads from a file in an encoding the program cannot read.
class NoValues : public ProfileFile {
public:
    std::int32_t readInt(const std::wstring&, const std::wstring&, std::int32_t defaultValue) const override
    {
        return defaultValue;
    }
    std::wstring readString(const std::wstring&, const std::wstring&, const std::wstring& defaultValue) const override
    {
        return defaultValue;
    }
    void writeString(const std::wstring&, const std::wstring&, const std::wstring&) override {}
};

// A UTF-16LE copy of a converted file in the temporary folder, deleted when
// the load is done.
class ReadingCopy : public Win32ProfileFile {
public:
    explicit ReadingCopy(const std::wstring& path) : Win32ProfileFile(path), path_(path) {}
    ~ReadingCopy() override { DeleteFileW(path_.c_str()); }

private:
    std::wstring path_;
};

std::unique_ptr<ProfileFile> readingCopyOf(const std::wstring& text)
{
    wchar_t folder[MAX_PATH + 1];
    wchar_t name[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH || GetTempFileNameW(folder, L"Bri", 0, name) == 0)
        return nullptr;
    auto copy = std::make_unique<ReadingCopy>(name);
    if (!writeFileBytes(name, utf16LeWithMark(text)))
        return nullptr;
    return copy;
}

}  // namespace

// The new version of the file, "<path>.tmp", filled by the profile functions.
class Win32Replacement : public ProfileReplacement {
public:
    explicit Win32Replacement(Win32ProfileStorage& owner)
        : owner_(owner), path_(owner.path_ + L".tmp"), draft_(path_)
    {
        start();
    }
    ~Win32Replacement() override
    {
        if (!committed_)
            DeleteFileW(path_.c_str());
    }

    std::int32_t readInt(const std::wstring& section, const std::wstring& key,
                         std::int32_t defaultValue) const override
    {
        return draft_.readInt(section, key, defaultValue);
    }
    std::wstring readString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& defaultValue) const override
    {
        return draft_.readString(section, key, defaultValue);
    }
    void writeString(const std::wstring& section, const std::wstring& key, const std::wstring& value) override
    {
        if (failed_)
            return;
        if (ansi_ && !fitsAnsiCodePage(value) && !turnUtf16()) {
            failed_ = true;
            return;
        }
        draft_.writeString(section, key, value);
        failed_ = failed_ || draft_.writeFailed();
    }
    bool commit() override;

private:
    void start();
    bool turnUtf16();
    bool keepsItsEncoding() const;

    Win32ProfileStorage& owner_;
    std::wstring path_;
    Win32ProfileFile draft_;
    bool ansi_ = false;
    bool backupDue_ = false;
    bool failed_ = false;
    bool committed_ = false;
};

// The new version starts as the file is now, in its own encoding; a file the
// program cannot read is not carried over (its backup keeps it).
void Win32Replacement::start()
{
    const StoredFile stored = inspect(owner_.path_);
    if (stored.read == FileRead::Failed) {
        failed_ = true;  // never replace what could not even be read
        return;
    }
    backupDue_ = owner_.backupDue(stored.text.needsBackup);
    std::string initial = utf16LeWithMark(L"");
    switch (stored.text.encoding) {
    case StoredEncoding::Ansi:
        ansi_ = true;
        initial = stored.bytes;
        break;
    case StoredEncoding::Utf16:
        initial = stored.bytes;
        break;
    case StoredEncoding::Converted:
        initial = utf16LeWithMark(stored.text.text);
        break;
    case StoredEncoding::None:
    case StoredEncoding::Unreadable:
        break;
    }
    failed_ = !writeFileBytes(path_, initial);
}

// A name the ANSI code page cannot hold: the new version, with what it holds
// so far, becomes UTF-16LE, which holds every name.
bool Win32Replacement::turnUtf16()
{
    ansi_ = false;
    std::string bytes;
    if (readFileBytes(path_, kMaxFileBytes, bytes) != FileRead::Read)
        return false;
    return writeFileBytes(path_, utf16LeWithMark(decodeAnsi(bytes)));
}

// An ANSI file whose new bytes happen to form UTF-8 ("Ã©" in code page 1252)
// would be read as UTF-8 at the next start, with other names than saved.
bool Win32Replacement::keepsItsEncoding() const
{
    std::string bytes;
    if (readFileBytes(path_, kMaxFileBytes, bytes) != FileRead::Read)
        return false;
    const StoredEncoding next = readStoredSettingsText(bytes, decodeAnsiStrictly).encoding;
    return next == StoredEncoding::Ansi || next == StoredEncoding::None;
}

bool Win32Replacement::commit()
{
    if (failed_)
        return false;
    // The profile functions may cache; a null section writes the cache out.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path_.c_str());
    if (ansi_ && !keepsItsEncoding() && !turnUtf16())
        return false;
    if (!flushFileToDisk(path_))
        return false;
    // A read-only file is the player's wish that it stay as it is.
    const DWORD attributes = GetFileAttributesW(owner_.path_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return false;
    if (backupDue_ && !owner_.keepBackup())
        return false;
    // MoveFileExW rather than ReplaceFileW: it also puts a first file in
    // place where none exists yet, on every system from Windows XP on.
    if (!moveFileOver(path_, owner_.path_))
        return false;
    committed_ = true;
    return true;
}

Win32ProfileStorage::Win32ProfileStorage(std::wstring path) : path_(std::move(path)) {}

std::unique_ptr<ProfileFile> Win32ProfileStorage::openForReading()
{
    const StoredFile stored = inspect(path_);
    if (stored.text.encoding == StoredEncoding::Unreadable)
        return std::make_unique<NoValues>();
    if (stored.read == FileRead::Read && stored.text.encoding == StoredEncoding::Converted) {
        std::unique_ptr<ProfileFile> copy = readingCopyOf(stored.text.text);
        if (copy)
            return copy;
    }
    return std::make_unique<Win32ProfileFile>(path_);
}

std::unique_ptr<ProfileReplacement> Win32ProfileStorage::beginReplacement()
{
    return std::make_unique<Win32Replacement>(*this);
}

std::wstring Win32ProfileStorage::fullPath() const
{
    return fullPathOf(path_);
}

std::wstring Win32ProfileStorage::backupPath(const std::wstring& path, int number)
{
    return number <= 1 ? path + L".bak" : path + L"." + std::to_wstring(number) + L".bak";
}

bool Win32ProfileStorage::keepBackup()
{
    constexpr int kMaxBackups = 1000;
    const std::wstring staging = path_ + L".bak.tmp";
    if (!CopyFileW(path_.c_str(), staging.c_str(), FALSE)) {
        const DWORD error = GetLastError();
        backupKept_ = error == ERROR_FILE_NOT_FOUND;  // nothing to keep
        return backupKept_;
    }
    SetFileAttributesW(staging.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (flushFileToDisk(staging)) {
        for (int number = 1; number <= kMaxBackups; ++number) {
            // Without MOVEFILE_REPLACE_EXISTING the rename fails rather than
            // replace an earlier backup, even one made at the same moment.
            if (MoveFileExW(staging.c_str(), backupPath(path_, number).c_str(), MOVEFILE_WRITE_THROUGH)) {
                backupKept_ = true;
                return true;
            }
            const DWORD error = GetLastError();
            if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS)
                break;
        }
    }
    DeleteFileW(staging.c_str());
    return false;
}
