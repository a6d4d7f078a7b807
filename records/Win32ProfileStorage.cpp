#include "records/Win32ProfileStorage.h"

#include <windows.h>

#include <utility>

#include "records/ProfileDocument.h"
#include "records/StoredSettingsText.h"
#include "records/Win32FileBytes.h"
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

// The text in the ANSI code page, if a file of these bytes reads back as
// exactly this text: every character fits the code page, and the bytes do
// not happen to form UTF-8 ("Ã©" in code page 1252 is the UTF-8 of "é").
bool encodeAnsiExactly(const std::wstring& text, std::string& bytes)
{
    bytes.clear();
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return false;
    bytes.resize(static_cast<std::size_t>(length));
    if (WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &bytes[0], length, nullptr,
                            nullptr) != length)
        return false;
    const StoredSettingsText reread = readStoredSettingsText(bytes, decodeAnsiStrictly);
    return reread.encoding == StoredEncoding::Ansi && reread.text == text;
}

struct StoredFile {
    FileRead read = FileRead::Missing;
    std::string bytes;
    StoredSettingsText text;
};

// The file read once and decoded in its own encoding; a file the program
// cannot read gives an empty text.
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

}  // namespace

// The new version of the file: the file as it is now, in memory, changed by
// the save's writes and written to "<path>.tmp" in one go at the commit.
class Win32Replacement : public ProfileReplacement {
public:
    explicit Win32Replacement(Win32ProfileStorage& owner) : owner_(owner), path_(owner.path_ + L".tmp") { start(); }
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
        draft_.writeString(section, key, value);
    }
    bool commit() override;

private:
    void start();
    std::string bytes() const;

    Win32ProfileStorage& owner_;
    std::wstring path_;
    ProfileDocument draft_;
    bool ansi_ = false;
    bool backupDue_ = false;
    bool failed_ = false;
    bool committed_ = false;
};

// A file the program cannot read is not carried over (its backup keeps it).
void Win32Replacement::start()
{
    const StoredFile stored = inspect(owner_.path_);
    if (stored.read == FileRead::Failed) {
        failed_ = true;  // never replace what could not even be read
        return;
    }
    backupDue_ = owner_.backupDue(stored.text.needsBackup);
    ansi_ = stored.text.encoding == StoredEncoding::Ansi;
    draft_ = ProfileDocument(stored.text.text);
}

// An ANSI file stays ANSI while it holds only what the code page can; a
// file in any other encoding, or one that gets a name the code page cannot
// hold, is saved as UTF-16LE.
std::string Win32Replacement::bytes() const
{
    const std::wstring text = draft_.text();
    std::string ansi;
    if (ansi_ && encodeAnsiExactly(text, ansi))
        return ansi;
    return utf16LeWithMark(text);
}

bool Win32Replacement::commit()
{
    if (failed_)
        return false;
    // A read-only file is the player's wish that it stay as it is.
    const DWORD attributes = GetFileAttributesW(owner_.path_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return false;
    if (!writeFileBytes(path_, bytes()))
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
    if (stored.read == FileRead::Failed)
        return nullptr;
    return std::make_unique<ProfileDocument>(stored.text.text);
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
            const std::wstring kept = backupPath(path_, number);
            if (MoveFileExW(staging.c_str(), kept.c_str(), MOVEFILE_WRITE_THROUGH)) {
                backupKept_ = true;
                keptBackupPath_ = fullPathOf(kept);
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
