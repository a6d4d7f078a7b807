#include "SettingsFileMutations.h"

#include <iterator>
#include <random>

#include "ExampleSettingsFile.h"
#include "records/StoredSettingsText.h"

namespace {

using Random = std::mt19937;

int pick(Random& random, int count)
{
    return std::uniform_int_distribution<int>(0, count - 1)(random);
}

std::vector<std::wstring> exampleLinesWith(const std::wstring& from, const std::wstring& to)
{
    std::vector<std::wstring> lines = exampleFileLines();
    for (std::wstring& line : lines) {
        if (line == from)
            line = to;
    }
    return lines;
}

std::wstring joined(const std::vector<std::wstring>& lines, const wchar_t* lineEnd = L"\r\n")
{
    std::wstring text;
    for (const std::wstring& line : lines)
        text += line + lineEnd;
    return text;
}

SettingsFileMutation known(std::string what, std::string bytes, std::list<ScoreRecord> entries)
{
    return {std::move(what), std::move(bytes), true, std::move(entries)};
}

SettingsFileMutation unknown(std::string what, std::string bytes)
{
    return {std::move(what), std::move(bytes), false, {}};
}

const wchar_t* const kOddNumbers[] = {L"-1",  L"-2147483648", L"2147483647", L"4294967295", L"4294967296",
                                      L"99999999999999999999", L"abc", L"", L"12abc", L" 7 ", L"+5",
                                      L"0x10", L"-0", L"1e9", L"１２３"};
const wchar_t* const kOptionKeys[] = {L"Sound", L"Guide", L"WindowLeft", L"WindowTop"};
const wchar_t* const kEntryKeys[] = {L"Score", L"Lines", L"Name", L"Date", L"HighScoreNum", L"CheckSum"};

// Odd values in the options leave the entries as they are.
SettingsFileMutation oddOption(Random& random)
{
    const std::wstring key = kOptionKeys[pick(random, 4)];
    const std::wstring value = kOddNumbers[pick(random, static_cast<int>(std::size(kOddNumbers)))];
    std::vector<std::wstring> lines = exampleFileLines();
    for (std::wstring& line : lines) {
        if (line.compare(0, key.size() + 1, key + L"=") == 0)
            line = key + L"=" + value;
    }
    return known("odd option value", utf8Bytes(joined(lines)), exampleRecords());
}

SettingsFileMutation oddEntryValue(Random& random)
{
    const std::wstring key = kEntryKeys[pick(random, 6)];
    const std::wstring value = kOddNumbers[pick(random, static_cast<int>(std::size(kOddNumbers)))];
    std::vector<std::wstring> lines = exampleFileLines();
    const int which = pick(random, 2);
    int seen = 0;
    for (std::wstring& line : lines) {
        if (line.compare(0, key.size() + 1, key + L"=") == 0 && seen++ == which)
            line = key + L"=" + value;
    }
    return unknown("odd entry value", utf8Bytes(joined(lines)));
}

SettingsFileMutation longName(Random& random)
{
    const std::wstring name(100000, pick(random, 2) == 0 ? L'x' : L'名');
    std::list<ScoreRecord> entries = exampleRecords();
    entries.front().name = name.substr(0, 1023);
    return known("100,000-character name",
                 utf8Bytes(joined(exampleLinesWith(L"Name=名無しさん", L"Name=" + name))), entries);
}

SettingsFileMutation controlCharacters(Random& random)
{
    std::wstring name = L"a";
    for (int n = 1 + pick(random, 5); n > 0; --n)
        name.push_back(static_cast<wchar_t>(1 + pick(random, 31)));
    name += L"b";
    return unknown("control characters", utf8Bytes(joined(exampleLinesWith(L"Name=名無しさん", L"Name=" + name))));
}

SettingsFileMutation unrelatedSection(Random& random)
{
    std::vector<std::wstring> lines = exampleFileLines();
    const std::vector<std::wstring> other = {L"[Other]", L"Key=" + std::to_wstring(random()), L"Name=他人"};
    lines.insert(pick(random, 2) == 0 ? lines.begin() : lines.end(), other.begin(), other.end());
    return known("unrelated section", utf8Bytes(joined(lines)), exampleRecords());
}

SettingsFileMutation sectionsRemovedOrRepeated(Random& random)
{
    const std::vector<std::wstring> example = exampleFileLines();
    const std::wstring headers[] = {L"[Brixol]", L"[HighScore0]", L"[HighScore1]"};
    const std::wstring header = headers[pick(random, 3)];
    std::vector<std::wstring> lines;
    const bool repeat = pick(random, 2) == 0;
    for (const std::wstring& line : example) {
        if (line != header || repeat)
            lines.push_back(line);
    }
    if (repeat) {
        lines.push_back(header);
        lines.push_back(L"Score=" + std::to_wstring(random() % 10000));
    }
    return unknown(repeat ? "repeated section" : "missing section header", utf8Bytes(joined(lines)));
}

SettingsFileMutation flippedBytes(Random& random, const std::string& valid)
{
    std::string bytes = valid;
    for (int n = 1 + pick(random, 4); n > 0; --n)
        bytes[pick(random, static_cast<int>(bytes.size()))] ^= static_cast<char>(1 << pick(random, 8));
    return unknown("flipped bytes", bytes);
}

SettingsFileMutation truncated(Random& random, const std::string& valid)
{
    return unknown("truncated", valid.substr(0, pick(random, static_cast<int>(valid.size()))));
}

SettingsFileMutation garbage(Random& random)
{
    std::string bytes(pick(random, 2000), '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return unknown("binary garbage", bytes);
}

// The same valid file in each encoding the program meets.
SettingsFileMutation encoded(Random& random)
{
    const std::wstring text = exampleFileText();
    switch (pick(random, 5)) {
    case 0:
        return known("UTF-16LE with a mark", utf16LeWithMark(text), exampleRecords());
    case 1:
        return unknown("UTF-16LE without a mark", utf16LeWithMark(text).substr(2));
    case 2:
        return known("UTF-8 with a mark", "\xEF\xBB\xBF" + utf8Bytes(text), exampleRecords());
    case 3:
        return known("UTF-8, LF line ends", utf8Bytes(joined(exampleFileLines(), L"\n")), exampleRecords());
    default:
        return known("UTF-8 without a mark", utf8Bytes(text), exampleRecords());
    }
}

}  // namespace

std::wstring exampleFileText()
{
    return joined(exampleFileLines());
}

std::string utf8Bytes(const std::wstring& text)
{
    std::string bytes;
    for (const wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code < 0x80) {
            bytes.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (code >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xE0 | (code >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return bytes;
}

std::vector<SettingsFileMutation> settingsFileMutations(std::uint32_t seed, int count)
{
    Random random(seed);
    const std::string valid = utf8Bytes(exampleFileText());
    std::vector<SettingsFileMutation> mutations;
    mutations.push_back(unknown("empty file", ""));
    while (static_cast<int>(mutations.size()) < count) {
        switch (pick(random, 11)) {
        case 0: mutations.push_back(flippedBytes(random, valid)); break;
        case 1: mutations.push_back(truncated(random, valid)); break;
        case 2: mutations.push_back(oddOption(random)); break;
        case 3: mutations.push_back(oddEntryValue(random)); break;
        case 4: mutations.push_back(sectionsRemovedOrRepeated(random)); break;
        case 5: mutations.push_back(longName(random)); break;
        case 6: mutations.push_back(controlCharacters(random)); break;
        case 7: mutations.push_back(unrelatedSection(random)); break;
        case 8: mutations.push_back(encoded(random)); break;
        case 9: mutations.push_back(garbage(random)); break;
        default: mutations.push_back(flippedBytes(random, utf16LeWithMark(exampleFileText()))); break;
        }
    }
    return mutations;
}
