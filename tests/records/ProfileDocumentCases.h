// Files that people and other programs leave, and what the profile functions
// read from them: the in-memory document must read each the same way, and
// under wine the same table is checked against the platform's functions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ProfileReadCase {
    const char* what;
    std::wstring text;
    std::wstring section;
    std::wstring key;
    std::wstring expectedString;  // with the default "(default)"
    std::int32_t expectedInt;     // with the default -77
};

inline std::vector<ProfileReadCase> profileReadCases()
{
    const std::wstring d = L"(default)";
    return {
        {"plain", L"[Brixol]\r\nSound=1\r\n", L"Brixol", L"Sound", L"1", 1},
        {"line feeds only", L"[Brixol]\nSound=1\nGuide=5", L"Brixol", L"Guide", L"5", 5},
        {"white space around everything", L"  [Brixol]  \r\n\t Sound \t=\t 12 \t\r\n", L"Brixol", L"Sound", L"12",
         12},
        {"letter case of section and key", L"[BRIXOL]\r\nsound=3\r\n", L"Brixol", L"Sound", L"3", 3},
        {"a missing key", L"[Brixol]\r\nSound=1\r\n", L"Brixol", L"Guide", d, -77},
        {"a missing section", L"[Other]\r\nSound=1\r\n", L"Brixol", L"Sound", d, -77},
        {"an empty value", L"[Brixol]\r\nSound=\r\n", L"Brixol", L"Sound", L"", -77},
        {"a key without '='", L"[Brixol]\r\nSound\r\n", L"Brixol", L"Sound", d, -77},
        {"a value with '=' in it", L"[Brixol]\r\nName=a=b\r\n", L"Brixol", L"Name", L"a=b", 0},
        {"double quotes", L"[Brixol]\r\nName=\"a b\"\r\n", L"Brixol", L"Name", L"a b", 0},
        {"single quotes", L"[Brixol]\r\nName='12'\r\n", L"Brixol", L"Name", L"12", 12},
        {"quotes that do not match", L"[Brixol]\r\nName=\"a'\r\n", L"Brixol", L"Name", L"\"a'", 0},
        {"one quote alone", L"[Brixol]\r\nName=\"\r\n", L"Brixol", L"Name", L"\"", 0},
        {"the first of two lines of a key", L"[Brixol]\r\nSound=1\r\nSound=2\r\n", L"Brixol", L"Sound", L"1", 1},
        {"a key only in a later section of the same name", L"[Brixol]\r\nSound=1\r\n[Brixol]\r\nGuide=1\r\n",
         L"Brixol", L"Guide", d, -77},
        {"a comment line", L"[Brixol]\r\n;Sound=1\r\n", L"Brixol", L"Sound", d, -77},
        {"keys before any section", L"Sound=1\r\n[Brixol]\r\n", L"Brixol", L"Sound", d, -77},
        {"a '[' line without ']' is a key", L"[Brixol]\r\n[Sound=4\r\n", L"Brixol", L"[Sound", L"4", 4},
        {"text after the header's ']'", L"[Brixol] ; the game\r\nSound=1\r\n", L"Brixol", L"Sound", L"1", 1},
        {"the name runs to the last ']'", L"[Bri]xol]\r\nSound=1\r\n", L"Bri]xol", L"Sound", L"1", 1},
        {"spaces inside the brackets", L"[ Brixol\t]\r\nSound=1\r\n", L"Brixol", L"Sound", L"1", 1},
        {"other control characters are white space too", L"[Brixol]\r\nName=\va\f\r\n", L"Brixol", L"Name", L"a",
         0},
        {"an ideographic space is not", L"[Brixol]\r\nName=\x3000" L"a\x3000\r\n", L"Brixol", L"Name",
         L"\x3000" L"a\x3000", 0},
        {"nor a no-break space", L"[Brixol]\r\nName=\xA0" L"a\xA0\r\n", L"Brixol", L"Name", L"\xA0" L"a\xA0", 0},
        {"a lone CR ends a line", L"[Brixol]\rName=a\rSound=1", L"Brixol", L"Name", L"a", 0},
        {"a NUL ends a value", std::wstring(L"[Brixol]\r\nName=a\0b\r\n", 20), L"Brixol", L"Name", L"a", 0},
        {"a DOS end-of-file mark", L"[Brixol]\r\nSound=1\x1A", L"Brixol", L"Sound", L"1", 1},
        {"a negative number", L"[Brixol]\r\nWindowLeft=-8\r\n", L"Brixol", L"WindowLeft", L"-8", -8},
        {"a plus sign", L"[Brixol]\r\nWindowLeft=+8\r\n", L"Brixol", L"WindowLeft", L"+8", 8},
        {"the pattern of -8", L"[Brixol]\r\nWindowLeft=4294967288\r\n", L"Brixol", L"WindowLeft", L"4294967288",
         -8},
        {"past 32 bits it wraps", L"[Brixol]\r\nScore=4294967297\r\n", L"Brixol", L"Score", L"4294967297", 1},
        {"digits then letters", L"[Brixol]\r\nScore=12abc\r\n", L"Brixol", L"Score", L"12abc", 12},
        {"no digits", L"[Brixol]\r\nScore=abc\r\n", L"Brixol", L"Score", L"abc", 0},
        {"hexadecimal", L"[Brixol]\r\nScore=0x1F\r\n", L"Brixol", L"Score", L"0x1F", 31},
        {"octal", L"[Brixol]\r\nScore=0o17\r\n", L"Brixol", L"Score", L"0o17", 15},
        {"binary", L"[Brixol]\r\nScore=0b101\r\n", L"Brixol", L"Score", L"0b101", 5},
        {"a leading zero is decimal", L"[Brixol]\r\nScore=017\r\n", L"Brixol", L"Score", L"017", 17},
        {"a negative hexadecimal", L"[Brixol]\r\nScore=-0x10\r\n", L"Brixol", L"Score", L"-0x10", -16},
        {"a number past the 29 characters read", L"[Brixol]\r\nScore=00000000000000000000000000001234\r\n",
         L"Brixol", L"Score", L"00000000000000000000000000001234", 1},
        {"Japanese text", L"[HighScore0]\r\nName=名無しさん\r\n", L"HighScore0", L"Name", L"名無しさん", 0},
        {"a value longer than a read returns",
         L"[HighScore0]\r\nName=" + std::wstring(1100, L'x') + L"\r\n", L"HighScore0", L"Name",
         std::wstring(1023, L'x'), 0},
    };
}

struct ProfileWriteCase {
    const char* what;
    std::wstring before;
    std::wstring section;
    std::wstring key;
    std::wstring value;
    std::wstring after;  // the document's text afterwards
};

inline std::vector<ProfileWriteCase> profileWriteCases()
{
    return {
        {"nothing yet", L"", L"Brixol", L"Sound", L"1", L"[Brixol]\r\nSound=1\r\n"},
        {"a value replaced in place, the rest kept byte for byte",
         L"; kept\r\n[Other]\nKey = a\n\n[Brixol]\r\n  Sound = 0  \r\nGuide=1\r\n", L"brixol", L"SOUND", L"1",
         L"; kept\r\n[Other]\nKey = a\n\n[Brixol]\r\nSound=1\r\nGuide=1\r\n"},
        {"the same value: the line is not rewritten", L"[Brixol]\r\n Sound = 1 \r\n", L"Brixol", L"Sound", L"1",
         L"[Brixol]\r\n Sound = 1 \r\n"},
        {"a line break kept as it was", L"[Brixol]\nSound=0\nGuide=0", L"Brixol", L"Guide", L"1",
         L"[Brixol]\nSound=0\nGuide=1"},
        {"lone CRs kept as they were", L"[Brixol]\rSound=0\rGuide=0\r", L"Brixol", L"Sound", L"1",
         L"[Brixol]\rSound=1\rGuide=0\r"},
        {"a key without a value gets one", L"[Brixol]\r\nSound\r\n", L"Brixol", L"Sound", L"0",
         L"[Brixol]\r\nSound=0\r\n"},
        {"a new key after the section's last line, before the blank lines",
         L"[Brixol]\r\nSound=1\r\n; note\r\n\r\n[Other]\r\nKey=a\r\n", L"Brixol", L"Guide", L"0",
         L"[Brixol]\r\nSound=1\r\n; note\r\nGuide=0\r\n\r\n[Other]\r\nKey=a\r\n"},
        {"a new key in a section that has none", L"[Brixol]\r\n[Other]\r\n", L"Brixol", L"Sound", L"1",
         L"[Brixol]\r\nSound=1\r\n[Other]\r\n"},
        {"a new section at the end, after an unfinished last line", L"[Other]\r\nKey=a", L"HighScore0", L"Name",
         L"名無しさん", L"[Other]\r\nKey=a\r\n[HighScore0]\r\nName=名無しさん\r\n"},
        {"the first of two sections of one name", L"[Brixol]\r\nSound=0\r\n[Brixol]\r\nSound=0\r\n", L"Brixol",
         L"Sound", L"1", L"[Brixol]\r\nSound=1\r\n[Brixol]\r\nSound=0\r\n"},
        {"the first of two lines of one key", L"[Brixol]\r\nSound=0\r\nSound=0\r\n", L"Brixol", L"Sound", L"1",
         L"[Brixol]\r\nSound=1\r\nSound=0\r\n"},
    };
}
