// The three profile-file operations the settings store needs. The Windows
// program reads and changes "./Brixol.ini" in memory by the rules of the
// platform's profile functions (ProfileDocument); tests also use a fake with
// the same reading rules, and the platform's functions themselves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class ProfileFile {
public:
    // Longest string a read returns; longer values are cut to their start.
    static constexpr std::size_t maxStringLength = 1023;

    virtual ~ProfileFile() = default;

    // The value as a 32-bit pattern: "4294967288" and "-8" both read as -8.
    // A missing key, section or file gives defaultValue.
    virtual std::int32_t readInt(const std::wstring& section, const std::wstring& key,
                                 std::int32_t defaultValue) const = 0;

    // The value, at most maxStringLength characters; defaultValue when missing.
    virtual std::wstring readString(const std::wstring& section, const std::wstring& key,
                                    const std::wstring& defaultValue) const = 0;

    // Replaces the key's value in place, or appends the key (and its section)
    // when missing. Failures are not returned here: a new version of the
    // settings file notes them, and its commit then fails (ProfileStorage.h).
    virtual void writeString(const std::wstring& section, const std::wstring& key, const std::wstring& value) = 0;
};
