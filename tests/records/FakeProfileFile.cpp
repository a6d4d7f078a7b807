#include "FakeProfileFile.h"

#include <cstdint>

namespace {

bool isDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// The profile functions parse a decimal with an optional sign into 32 bits,
// wrapping instead of saturating: "4294967288" is the pattern of -8.
std::int32_t parseLikeProfileInt(const std::wstring& text)
{
    std::size_t at = 0;
    while (at < text.size() && text[at] == L' ') {
        ++at;
    }
    const bool negative = at < text.size() && text[at] == L'-';
    if (at < text.size() && (text[at] == L'-' || text[at] == L'+')) {
        ++at;
    }
    std::uint32_t value = 0;
    for (; at < text.size() && isDigit(text[at]); ++at) {
        value = value * 10u + static_cast<std::uint32_t>(text[at] - L'0');
    }
    return static_cast<std::int32_t>(negative ? 0u - value : value);
}

}  // namespace

FakeProfileFile::FakeProfileFile(const std::vector<std::wstring>& lines)
{
    std::wstring section;
    for (const std::wstring& line : lines) {
        if (!line.empty() && line.front() == L'[' && line.back() == L']') {
            section = line.substr(1, line.size() - 2);
            sectionNamed(section);
            continue;
        }
        const std::size_t equals = line.find(L'=');
        if (equals != std::wstring::npos) {
            writeString(section, line.substr(0, equals), line.substr(equals + 1));
        }
    }
}

std::int32_t FakeProfileFile::readInt(const std::wstring& section, const std::wstring& key,
                                      std::int32_t defaultValue) const
{
    const std::wstring* value = find(section, key);
    return value == nullptr || value->empty() ? defaultValue : parseLikeProfileInt(*value);
}

std::wstring FakeProfileFile::readString(const std::wstring& section, const std::wstring& key,
                                         const std::wstring& defaultValue) const
{
    const std::wstring* value = find(section, key);
    return (value == nullptr ? defaultValue : *value).substr(0, maxStringLength);
}

void FakeProfileFile::writeString(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    Section& target = sectionNamed(section);
    for (Entry& entry : target.entries) {
        if (entry.key == key) {
            entry.value = value;
            return;
        }
    }
    target.entries.push_back({key, value});
}

std::vector<std::wstring> FakeProfileFile::lines() const
{
    std::vector<std::wstring> result;
    for (const Section& section : sections_) {
        result.push_back(L"[" + section.name + L"]");
        for (const Entry& entry : section.entries) {
            result.push_back(entry.key + L"=" + entry.value);
        }
    }
    return result;
}

const std::wstring* FakeProfileFile::find(const std::wstring& section, const std::wstring& key) const
{
    for (const Section& candidate : sections_) {
        if (candidate.name != section) {
            continue;
        }
        for (const Entry& entry : candidate.entries) {
            if (entry.key == key) {
                return &entry.value;
            }
        }
    }
    return nullptr;
}

FakeProfileFile::Section& FakeProfileFile::sectionNamed(const std::wstring& name)
{
    for (Section& section : sections_) {
        if (section.name == name) {
            return section;
        }
    }
    sections_.push_back({name, {}});
    return sections_.back();
}
