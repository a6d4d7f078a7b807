// How the bytes of a stored settings file are to be read: in which encoding,
// and whether the program can take the file as it stands. Platform-free; the
// ANSI code page is asked through a function the caller provides.
#pragma once

#include <functional>
#include <string>

enum class StoredEncoding {
    None,        // no file, or nothing in it but white space
    Ansi,        // read and written in place in the ANSI code page
    Utf16,       // UTF-16LE with a byte-order mark: read and written in place
    Converted,   // UTF-8 (with or without a mark) or UTF-16BE: read from a
                 // UTF-16LE copy, and saved as UTF-16LE
    Unreadable,  // UTF-32, NUL bytes without a mark, bytes valid in no encoding
};

struct StoredSettingsText {
    StoredEncoding encoding = StoredEncoding::None;
    // The decoded text; empty when the file is unreadable.
    std::wstring text;
    // The program cannot take the file as it stands (unreadable, or no
    // settings section), so the first save must keep it as a backup.
    bool needsBackup = false;
};

// Strict decoding in the ANSI code page: false when a byte sequence is not
// valid there.
using AnsiDecoder = std::function<bool(const std::string& bytes, std::wstring& text)>;

StoredSettingsText readStoredSettingsText(const std::string& bytes, const AnsiDecoder& decodeAnsi);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool decodeUtf8(const std::string& bytes, std::wstring& text);

// UTF-16LE bytes of the text, with the byte-order mark in front.
std::string utf16LeWithMark(const std::wstring& text);

// Whether a line "[name]" (letter case and white space aside, as the profile
// functions read it) opens a section of that name.
bool hasProfileSection(const std::wstring& text, const std::wstring& name);
