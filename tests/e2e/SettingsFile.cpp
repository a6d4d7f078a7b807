#include "tests/e2e/SettingsFile.h"

#include "win/Handles.h"

#include <windows.h>

#include <string>
#include <vector>

#include "records/DamagedDataReporter.h"
#include "records/SaveFailureReporter.h"
#include "records/SettingsStore.h"
#include "records/Win32ProfileStorage.h"
#include "tests/support/SettingsTextLines.h"
#include "tests/support/win32/Win32ProfileFile.h"

namespace {

class CountingReporter : public DamagedDataReporter, public SaveFailureReporter {
public:
    void reportDamagedScores() override { ++reports; }
    void reportUnreadFileKept(const std::wstring&, const std::wstring&) override {}
    void reportSaveFailure(const std::wstring&) override { ++saveFailures; }
    int reports = 0;
    int saveFailures = 0;
};

std::string fileBytes(const std::wstring& path)
{
    std::string bytes;
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    return bytes;
}

std::wstring decoded(const std::string& bytes, UINT codePage)
{
    if (bytes.empty())
        return std::wstring();
    const int size = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    if (size > 0)
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], size);
    return text;
}

// The program creates its file as UTF-16LE with a byte-order mark; a file
// written by the profile functions from scratch would be in the ANSI code
// page, and one edited by hand may be UTF-8.
std::wstring fileText(const std::string& bytes)
{
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::wstring text;
        for (std::size_t at = 2; at + 1 < bytes.size(); at += 2)
            text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[at]) |
                                                (static_cast<unsigned char>(bytes[at + 1]) << 8)));
        return text;
    }
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return decoded(bytes.substr(3), CP_UTF8);
    return decoded(bytes, CP_ACP);
}

}  // namespace

SettingsFile::SettingsFile(const std::wstring& directory) : path_(directory + L"\\Brixol.ini") {}

std::string SettingsFile::bytesOf(const std::wstring& path)
{
    return fileBytes(path);
}

bool SettingsFile::exists() const
{
    return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void SettingsFile::write(const StoredSettings& settings) const
{
    forgetCachedContents();
    Win32ProfileStorage file(path_);
    CountingReporter reporter;
    SettingsStore store(file, reporter, reporter);
    store.sound = settings.sound;
    store.guide = settings.guide;
    store.windowLeft = settings.windowLeft;
    store.windowTop = settings.windowTop;
    store.records = settings.records;
    store.save();
    forgetCachedContents();
}

void SettingsFile::writeValue(const std::wstring& section, const std::wstring& key, const std::wstring& value) const
{
    forgetCachedContents();
    Win32ProfileFile(path_).writeString(section, key, value);
    forgetCachedContents();
}

SettingsFile::Sections SettingsFile::read() const
{
    Sections sections;
    const std::wstring text = fileText(fileBytes(path_));
    std::wstring section;
    for (const std::wstring& line : settingsTextLines(text)) {
        if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
            section = line.substr(1, line.size() - 2);
            sections[section];
            continue;
        }
        const std::size_t equals = line.find(L'=');
        if (equals != std::wstring::npos)
            sections[section][line.substr(0, equals)] = line.substr(equals + 1);
    }
    return sections;
}

std::wstring SettingsFile::value(const std::wstring& section, const std::wstring& key) const
{
    const Sections sections = read();
    const auto found = sections.find(section);
    if (found == sections.end() || found->second.count(key) == 0)
        return L"(missing)";
    return found->second.at(key);
}

std::list<ScoreRecord> SettingsFile::loadRecords(int* damagedReports) const
{
    forgetCachedContents();
    Win32ProfileStorage file(path_);
    CountingReporter reporter;
    SettingsStore store(file, reporter, reporter);
    store.load();
    if (damagedReports != nullptr)
        *damagedReports = reporter.reports;
    return store.records;
}

// The profile functions may keep the last file they read in memory; the
// program under test changes it behind their back.
void SettingsFile::forgetCachedContents() const
{
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path_.c_str());
}
