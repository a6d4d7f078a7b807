// "Brixol.ini" in a case's directory, seen from outside the program: prepared
// through the records library before the program starts, and read back, both
// as raw text values and through the library, after it has ended.
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <string>

#include "records/ScoreRecord.h"

struct StoredSettings {
    bool sound = true;
    bool guide = false;
    std::int32_t windowLeft = 0;
    std::int32_t windowTop = 0;
    std::list<ScoreRecord> records;
};

class SettingsFile {
public:
    explicit SettingsFile(const std::wstring& directory);

    const std::wstring& path() const { return path_; }
    // "Brixol.ini.bak" beside it, where the first backup goes.
    std::wstring backupPath() const { return path_ + L".bak"; }
    bool exists() const;
    // The bytes of the file, or of another one, as they are on disk.
    std::string bytes() const { return bytesOf(path_); }
    static std::string bytesOf(const std::wstring& path);

    // Writes every key as the program itself would, with the right checksum.
    void write(const StoredSettings& settings) const;
    // Replaces one value as text, to store what the program would not write.
    void writeValue(const std::wstring& section, const std::wstring& key, const std::wstring& value) const;

    // The file's sections and their keys with the values exactly as written.
    using Sections = std::map<std::wstring, std::map<std::wstring, std::wstring>>;
    Sections read() const;
    // One value as written, or "(missing)".
    std::wstring value(const std::wstring& section, const std::wstring& key) const;

    // The stored entries as the program would load them; damagedReports
    // counts the checksum complaints the load made.
    std::list<ScoreRecord> loadRecords(int* damagedReports) const;

private:
    void forgetCachedContents() const;

    std::wstring path_;
};
