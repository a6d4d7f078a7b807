// An in-memory profile file with the reading rules of the Windows profile
// functions that the settings store relies on, laid out as they lay out a file.
#pragma once

#include <string>
#include <vector>

#include "records/ProfileFile.h"

class FakeProfileFile : public ProfileFile {
public:
    FakeProfileFile() = default;
    // "[section]" lines open a section, "key=value" lines fill it.
    explicit FakeProfileFile(const std::vector<std::wstring>& lines);

    std::int32_t readInt(const std::wstring& section, const std::wstring& key,
                         std::int32_t defaultValue) const override;
    std::wstring readString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& defaultValue) const override;
    void writeString(const std::wstring& section, const std::wstring& key, const std::wstring& value) override;

    // The file as the profile functions would write it, one entry per line.
    std::vector<std::wstring> lines() const;

private:
    struct Entry {
        std::wstring key;
        std::wstring value;
    };
    struct Section {
        std::wstring name;
        std::vector<Entry> entries;
    };

    const std::wstring* find(const std::wstring& section, const std::wstring& key) const;
    Section& sectionNamed(const std::wstring& name);

    std::vector<Section> sections_;
};
