// How the bytes of a stored settings file are judged: the encoding they are
// read in, and whether the file must be kept before a save replaces it.
#include <gtest/gtest.h>

#include <string>

#include "records/StoredSettingsText.h"

namespace {

// A single-byte code page that accepts every byte, as code page 1252 does.
bool acceptEveryByte(const std::string& bytes, std::wstring& text)
{
    text.clear();
    for (const char c : bytes)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return true;
}

// A code page in which no byte above 0x7F is valid on its own.
bool rejectNonAscii(const std::string& bytes, std::wstring& text)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    text.assign(bytes.begin(), bytes.end());
    return true;
}

const std::string kUtf8Name = "\xE5\x90\x8D\xE7\x84\xA1\xE3\x81\x97\xE3\x81\x95\xE3\x82\x93";  // 名無しさん
const std::string kUtf8FullWidth123 = "\xEF\xBC\x91\xEF\xBC\x92\xEF\xBC\x93";                    // １２３

std::string utf16Le(const std::string& ascii)
{
    std::string bytes;
    for (const char c : ascii) {
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    return bytes;
}

struct Case {
    const char* what;
    std::string bytes;
    bool strictAnsi;  // the code page rejects bytes above 0x7F
    StoredEncoding encoding;
    bool needsBackup;
    std::wstring textHolds;  // empty: nothing to look for
};

TEST(StoredSettingsText, JudgesEncodingAndBackup)
{
    const std::string settings = "[Brixol]\r\nSound=1\r\n";
    const Case cases[] = {
        {"no bytes", "", false, StoredEncoding::None, false, L""},
        {"white space only", " \r\n\t\n", false, StoredEncoding::None, false, L""},
        {"a UTF-16 mark only", "\xFF\xFE", false, StoredEncoding::None, false, L""},
        {"ASCII", settings, true, StoredEncoding::Ansi, false, L"Sound=1"},
        {"ANSI with a Latin letter", settings + "Name=Jos\xE9\r\n", false, StoredEncoding::Ansi, false, L"Jos\u00E9"},
        {"UTF-16LE with a mark", "\xFF\xFE" + utf16Le(settings), false, StoredEncoding::Utf16, false, L"Sound=1"},
        {"UTF-16BE with a mark", std::string("\xFE\xFF\0[", 4) + std::string("\0B\0r\0i\0x\0o\0l\0]", 14), false,
         StoredEncoding::Converted, false, L"[Brixol]"},
        {"UTF-8 without a mark", settings + "Name=" + kUtf8Name + "\r\nWindowTop=" + kUtf8FullWidth123 + "\r\n",
         false, StoredEncoding::Converted, false, L"Name=名無しさん\r\nWindowTop=１２３\r\n"},
        {"UTF-8 without a mark, strict code page", settings + "Name=" + kUtf8Name + "\r\n", true,
         StoredEncoding::Converted, false, L"名無しさん"},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + settings + "Name=" + kUtf8Name, false, StoredEncoding::Converted,
         false, L"名無しさん"},
        {"UTF-8 mark before invalid bytes", "\xEF\xBB\xBF" + settings + "\xC0\xAF", false,
         StoredEncoding::Unreadable, true, L""},
        {"UTF-16LE without a mark", utf16Le(settings), false, StoredEncoding::Unreadable, true, L""},
        {"UTF-32LE with a mark", std::string("\xFF\xFE\0\0[\0\0\0", 8), false, StoredEncoding::Unreadable, true, L""},
        {"UTF-32BE with a mark", std::string("\0\0\xFE\xFF\0\0\0[", 8), false, StoredEncoding::Unreadable, true, L""},
        {"a NUL byte in ANSI", settings + std::string("Name=a\0b\r\n", 10), false, StoredEncoding::Unreadable, true,
         L""},
        {"bytes valid in no encoding", settings + "Name=\x82\r\n", true, StoredEncoding::Unreadable, true, L""},
        {"no settings section", "[Other]\r\nKey=1\r\n", false, StoredEncoding::Ansi, true, L"Key=1"},
        {"the section named in other letter case, spaced", "  [ brixol ]  \r\nSound=0\r\n", false,
         StoredEncoding::Ansi, false, L""},
        {"the name only as a value", "[Other]\r\nKey=[Brixol]x\r\n", false, StoredEncoding::Ansi, true, L""},
        {"the section on a line ending in LF", "Key=1\n[Brixol]\nSound=0", false, StoredEncoding::Ansi, false, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const StoredSettingsText stored =
            readStoredSettingsText(c.bytes, c.strictAnsi ? AnsiDecoder(rejectNonAscii) : AnsiDecoder(acceptEveryByte));
        EXPECT_EQ(stored.encoding, c.encoding);
        EXPECT_EQ(stored.needsBackup, c.needsBackup);
        if (!c.textHolds.empty()) {
            EXPECT_NE(stored.text.find(c.textHolds), std::wstring::npos) << ::testing::PrintToString(stored.text);
        }
        if (c.encoding == StoredEncoding::Unreadable || c.encoding == StoredEncoding::None) {
            EXPECT_TRUE(stored.text.empty());
        }
    }
}

TEST(StoredSettingsText, Utf8IsDecodedStrictly)
{
    struct Utf8Case {
        const char* what;
        std::string bytes;
        bool valid;
    };
    const Utf8Case cases[] = {
        {"ASCII", "abc", true},
        {"two, three and four bytes", "\xC3\xA9\xE5\x90\x8D\xF0\x9F\x98\x80", true},
        {"overlong slash", "\xC0\xAF", false},
        {"overlong three bytes", "\xE0\x80\xAF", false},
        {"a surrogate", "\xED\xA0\x80", false},
        {"above U+10FFFF", "\xF4\x90\x80\x80", false},
        {"a lone continuation byte", "\x80", false},
        {"cut off at the end", "a\xE5\x90", false},
        {"a lead byte before ASCII", "\xE5z\x8D", false},
    };
    for (const Utf8Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::wstring text;
        EXPECT_EQ(decodeUtf8(c.bytes, text), c.valid);
    }
    std::wstring text;
    ASSERT_TRUE(decodeUtf8("\xF0\x9F\x98\x80", text));
    EXPECT_EQ(utf16LeWithMark(text), std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6));
}

TEST(StoredSettingsText, Utf16LeWithMarkRoundTrips)
{
    const std::wstring text = L"[Brixol]\r\nName=名無しさん\r\n";
    const std::string bytes = utf16LeWithMark(text);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFE[\0", 4));
    const StoredSettingsText stored = readStoredSettingsText(bytes, acceptEveryByte);
    EXPECT_EQ(stored.encoding, StoredEncoding::Utf16);
    EXPECT_EQ(stored.text, text);
}

}  // namespace
