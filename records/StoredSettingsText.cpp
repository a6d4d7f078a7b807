#include "records/StoredSettingsText.h"

#include <cstdint>
#include <utility>

namespace {

const std::string kUtf8Mark = "\xEF\xBB\xBF";
const std::string kUtf16LeMark = "\xFF\xFE";
const std::string kUtf16BeMark = "\xFE\xFF";
const std::string kUtf32LeMark = std::string("\xFF\xFE\0\0", 4);
const std::string kUtf32BeMark = std::string("\0\0\xFE\xFF", 4);

bool startsWith(const std::string& bytes, const std::string& prefix)
{
    return bytes.compare(0, prefix.size(), prefix) == 0;
}

unsigned byteAt(const std::string& bytes, std::size_t at)
{
    return static_cast<unsigned char>(bytes[at]);
}

// wchar_t is 16 bits on Windows and 32 elsewhere; characters beyond the
// first plane take a surrogate pair only in the former.
void appendCodePoint(std::wstring& text, std::uint32_t codePoint)
{
    if (sizeof(wchar_t) == 2 && codePoint > 0xFFFF) {
        codePoint -= 0x10000;
        text.push_back(static_cast<wchar_t>(0xD800 + (codePoint >> 10)));
        text.push_back(static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF)));
    } else {
        text.push_back(static_cast<wchar_t>(codePoint));
    }
}

std::wstring decodeUtf16(const std::string& bytes, std::size_t from, bool bigEndian)
{
    std::wstring text;
    for (std::size_t at = from; at + 1 < bytes.size(); at += 2) {
        const unsigned first = byteAt(bytes, at);
        const unsigned second = byteAt(bytes, at + 1);
        text.push_back(static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    return text;
}

bool isAscii(const std::string& bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

bool isBlank(const std::wstring& text)
{
    return text.find_first_not_of(L" \t\r\n") == std::wstring::npos;
}

wchar_t asciiLower(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool equalIgnoringAsciiCase(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t at = 0; at < a.size(); ++at) {
        if (asciiLower(a[at]) != asciiLower(b[at]))
            return false;
    }
    return true;
}

std::wstring trimmed(const std::wstring& text)
{
    const std::size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return std::wstring();
    const std::size_t last = text.find_last_not_of(L" \t");
    return text.substr(first, last - first + 1);
}

StoredSettingsText unreadable()
{
    StoredSettingsText stored;
    stored.encoding = StoredEncoding::Unreadable;
    stored.needsBackup = true;
    return stored;
}

StoredSettingsText decoded(StoredEncoding encoding, std::wstring text)
{
    StoredSettingsText stored;
    if (isBlank(text))
        return stored;  // nothing stored that a save could lose
    stored.encoding = encoding;
    stored.needsBackup = !hasProfileSection(text, L"Brixol");
    stored.text = std::move(text);
    return stored;
}

// Without a byte-order mark. Valid UTF-8 with multi-byte sequences is read
// as UTF-8 even where the ANSI code page would accept the bytes too: code
// page 1252 accepts every byte, and Japanese UTF-8 often passes as code page
// 932, while text written in an ANSI code page is practically never valid
// UTF-8 once it holds a non-ASCII character.
StoredSettingsText readUnmarked(const std::string& bytes, const AnsiDecoder& decodeAnsi)
{
    if (bytes.find('\0') != std::string::npos)
        return unreadable();  // UTF-16 or UTF-32 without a mark, or binary
    std::wstring text;
    if (isAscii(bytes)) {
        text.assign(bytes.begin(), bytes.end());
        return decoded(StoredEncoding::Ansi, std::move(text));
    }
    if (decodeUtf8(bytes, text))
        return decoded(StoredEncoding::Converted, std::move(text));
    if (decodeAnsi(bytes, text))
        return decoded(StoredEncoding::Ansi, std::move(text));
    return unreadable();
}

}  // namespace

StoredSettingsText readStoredSettingsText(const std::string& bytes, const AnsiDecoder& decodeAnsi)
{
    if (startsWith(bytes, kUtf32LeMark) || startsWith(bytes, kUtf32BeMark))
        return unreadable();
    if (startsWith(bytes, kUtf16LeMark))
        return decoded(StoredEncoding::Utf16, decodeUtf16(bytes, kUtf16LeMark.size(), false));
    if (startsWith(bytes, kUtf16BeMark))
        return decoded(StoredEncoding::Converted, decodeUtf16(bytes, kUtf16BeMark.size(), true));
    if (startsWith(bytes, kUtf8Mark)) {
        std::wstring text;
        if (!decodeUtf8(bytes.substr(kUtf8Mark.size()), text))
            return unreadable();
        return decoded(StoredEncoding::Converted, std::move(text));
    }
    return readUnmarked(bytes, decodeAnsi);
}

bool decodeUtf8(const std::string& bytes, std::wstring& text)
{
    std::wstring result;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const unsigned lead = byteAt(bytes, at);
        int following = 0;
        std::uint32_t codePoint = 0;
        std::uint32_t smallest = 0;
        if (lead < 0x80) {
            codePoint = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            following = 1;
            codePoint = lead & 0x1F;
            smallest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            following = 2;
            codePoint = lead & 0x0F;
            smallest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            following = 3;
            codePoint = lead & 0x07;
            smallest = 0x10000;
        } else {
            return false;
        }
        if (bytes.size() - at - 1 < static_cast<std::size_t>(following))
            return false;
        for (int n = 1; n <= following; ++n) {
            const unsigned next = byteAt(bytes, at + n);
            if ((next & 0xC0) != 0x80)
                return false;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        appendCodePoint(result, codePoint);
        at += 1 + following;
    }
    text = std::move(result);
    return true;
}

std::string utf16LeWithMark(const std::wstring& text)
{
    std::string bytes = kUtf16LeMark;
    bytes.reserve(2 + text.size() * 2);
    const auto put = [&bytes](std::uint32_t unit) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>((unit >> 8) & 0xFF));
    };
    for (const wchar_t c : text) {
        const auto codePoint = static_cast<std::uint32_t>(c);
        if (codePoint > 0xFFFF && codePoint <= 0x10FFFF) {
            put(0xD800 + ((codePoint - 0x10000) >> 10));
            put(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        } else {
            put(codePoint);
        }
    }
    return bytes;
}

bool hasProfileSection(const std::wstring& text, const std::wstring& name)
{
    std::size_t lineStart = 0;
    while (lineStart <= text.size()) {
        std::size_t lineEnd = text.find_first_of(L"\r\n", lineStart);
        if (lineEnd == std::wstring::npos)
            lineEnd = text.size();
        const std::wstring line = trimmed(text.substr(lineStart, lineEnd - lineStart));
        if (!line.empty() && line.front() == L'[') {
            const std::size_t close = line.find(L']');
            const std::wstring found =
                trimmed(line.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1));
            if (equalIgnoringAsciiCase(found, name))
                return true;
        }
        lineStart = lineEnd + 1;
    }
    return false;
}
