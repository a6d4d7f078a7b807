// A settings file's text in memory, read and changed by the rules of the
// platform's profile functions, so that a load reads the file once and a save
// writes it once, however many entries it holds. Platform-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "records/ProfileFile.h"

class ProfileDocument : public ProfileFile {
public:
    ProfileDocument() = default;
    // The decoded text of a file, line breaks included.
    explicit ProfileDocument(const std::wstring& text);

    // As GetPrivateProfileIntW: through the string read below, in decimal or
    // with a "0x", "0o" or "0b" prefix, wrapping to 32 bits.
    std::int32_t readInt(const std::wstring& section, const std::wstring& key,
                         std::int32_t defaultValue) const override;
    // As GetPrivateProfileStringW: the value of the key's first line in the
    // first section of that name (letter case aside), without white space
    // around it or one pair of quotes, at most maxStringLength characters.
    std::wstring readString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& defaultValue) const override;
    // As WritePrivateProfileStringW: the key's line is rewritten in place,
    // else a new line follows the section's last one, else the section is
    // added at the end. Every other line stays as it was.
    void writeString(const std::wstring& section, const std::wstring& key, const std::wstring& value) override;

    // The whole text with the changes, each new line ending in CR LF.
    std::wstring text() const;

private:
    struct KeyLine {
        std::size_t line;   // in its block
        std::wstring name;  // as the file spells it
        bool hasValue;      // a line without '=' names a key that has none
        std::wstring value;
    };
    // A section's header line and the lines up to the next header; the
    // first block holds the lines before any header and has no name.
    struct Block {
        std::wstring name;
        std::vector<std::wstring> lines;  // each with its own line break
        std::size_t end = 0;              // after the last line that is not blank
        std::unordered_map<std::wstring, KeyLine> keys;  // by folded name; the first line of each
    };

    // Adds a line of the file to the last block, or starts a new one.
    void addLine(const std::wstring& line);
    const KeyLine* find(const std::wstring& section, const std::wstring& key) const;
    Block& blockNamed(const std::wstring& section);

    std::vector<Block> blocks_{Block{}};
    std::unordered_map<std::wstring, std::size_t> firstBlock_;  // by folded name
};
