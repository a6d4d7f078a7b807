#include "records/ProfileDocument.h"

#include <utility>

namespace {

// The platform reads a number through a buffer of 30 characters.
constexpr std::size_t kNumberLength = 29;

// The white space the profile functions strip: ASCII spaces, tabs and line
// breaks, and ^Z (the end of old DOS files).
bool isProfileSpace(wchar_t c)
{
    return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x1A;
}

// Names are compared without regard to letter case. Ours are ASCII, and a
// name of a file matches one of them only through its ASCII letters.
std::wstring folded(const std::wstring& name)
{
    std::wstring result = name;
    for (wchar_t& c : result) {
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return result;
}

struct Span {
    std::size_t begin;
    std::size_t end;
    bool empty() const { return begin >= end; }
};

Span trimmed(const std::wstring& text, Span span)
{
    while (span.begin < span.end && isProfileSpace(text[span.begin]))
        ++span.begin;
    while (span.end > span.begin && isProfileSpace(text[span.end - 1]))
        --span.end;
    return span;
}

std::wstring textOf(const std::wstring& text, Span span)
{
    return span.empty() ? std::wstring() : text.substr(span.begin, span.end - span.begin);
}

std::wstring beforeNul(const std::wstring& text)
{
    return text.substr(0, text.find(L'\0'));
}

// One pair of matching quotes around a value is not part of it.
std::wstring unquoted(const std::wstring& value)
{
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

int digitValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'z')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'Z')
        return c - L'A' + 10;
    return -1;
}

// Leading control characters and spaces, a sign, a base prefix, then digits
// as far as they go; the total wraps, so "4294967288" is the pattern of -8.
std::int32_t parseProfileNumber(const std::wstring& text)
{
    std::size_t at = 0;
    while (at < text.size() && text[at] <= L' ')
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
        negative = text[at] == L'-';
        ++at;
    }
    std::uint32_t base = 10;
    if (text.size() - at >= 2 && text[at] == L'0') {
        const wchar_t prefix = text[at + 1];
        base = prefix == L'x' ? 16 : prefix == L'o' ? 8 : prefix == L'b' ? 2 : 10;
        if (base != 10)
            at += 2;
    }
    std::uint32_t total = 0;
    for (; at < text.size(); ++at) {
        const int digit = digitValue(text[at]);
        if (digit < 0 || static_cast<std::uint32_t>(digit) >= base)
            break;
        total = total * base + static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(negative ? 0u - total : total);
}

bool endsLine(const std::wstring& line)
{
    return !line.empty() && (line.back() == L'\n' || line.back() == L'\r');
}

void endLine(std::wstring& line)
{
    if (!endsLine(line))
        line += L"\r\n";
}

// The line break a line ends with, to keep it when the line is rewritten.
std::wstring lineBreakOf(const std::wstring& line)
{
    if (!endsLine(line))
        return std::wstring();
    if (line.back() == L'\r')
        return L"\r";
    return line.size() >= 2 && line[line.size() - 2] == L'\r' ? L"\r\n" : L"\n";
}

}  // namespace

ProfileDocument::ProfileDocument(const std::wstring& text)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lineBreak = text.find_first_of(L"\r\n", start);
        std::size_t next = text.size();
        if (lineBreak != std::wstring::npos) {
            const bool crLf = text[lineBreak] == L'\r' && lineBreak + 1 < text.size() && text[lineBreak + 1] == L'\n';
            next = lineBreak + (crLf ? 2 : 1);
        }
        addLine(text.substr(start, next - start));
        start = next;
    }
}

// A line ends at a CR LF, a LF or a lone CR. It is a section header when it
// starts with '[' and holds a ']': the name runs to the last ']'. Any other
// line that is not blank names a key, up to its first '='. A NUL ends a name
// or a value, as it ends the platform's strings.
void ProfileDocument::addLine(const std::wstring& line)
{
    Block& block = blocks_.back();
    const Span content = trimmed(line, {0, line.size()});
    if (content.empty()) {
        block.lines.push_back(line);
        return;
    }
    if (line[content.begin] == L'[') {
        const std::size_t close = line.rfind(L']', content.end - 1);
        if (close != std::wstring::npos && close > content.begin) {
            Block next;
            next.name = beforeNul(textOf(line, trimmed(line, {content.begin + 1, close})));
            next.lines.push_back(line);
            next.end = 1;
            if (!next.name.empty())
                firstBlock_.emplace(folded(next.name), blocks_.size());
            blocks_.push_back(std::move(next));
            return;
        }
    }
    const std::size_t equals = line.find(L'=', content.begin);
    const bool hasValue = equals != std::wstring::npos && equals < content.end;
    const Span name = trimmed(line, {content.begin, hasValue ? equals : content.end});
    block.lines.push_back(line);
    block.end = block.lines.size();
    if (!name.empty()) {
        KeyLine key{block.lines.size() - 1, beforeNul(textOf(line, name)), hasValue,
                    hasValue ? beforeNul(textOf(line, trimmed(line, {equals + 1, content.end}))) : std::wstring()};
        block.keys.emplace(folded(key.name), std::move(key));
    }
}

std::int32_t ProfileDocument::readInt(const std::wstring& section, const std::wstring& key,
                                      std::int32_t defaultValue) const
{
    const KeyLine* found = find(section, key);
    if (found == nullptr || !found->hasValue)
        return defaultValue;
    const std::wstring text = unquoted(found->value).substr(0, kNumberLength);
    return text.empty() ? defaultValue : parseProfileNumber(text);
}

std::wstring ProfileDocument::readString(const std::wstring& section, const std::wstring& key,
                                         const std::wstring& defaultValue) const
{
    const KeyLine* found = find(section, key);
    const std::wstring value = found != nullptr && found->hasValue ? unquoted(found->value) : defaultValue;
    return value.substr(0, maxStringLength);
}

void ProfileDocument::writeString(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    Block& block = blockNamed(section);
    const auto found = block.keys.find(folded(key));
    if (found != block.keys.end()) {
        KeyLine& line = found->second;
        std::wstring& text = block.lines[line.line];
        const std::wstring rewritten = line.name + L"=" + value;
        const std::wstring newValue = textOf(rewritten, trimmed(rewritten, {line.name.size() + 1, rewritten.size()}));
        if (line.hasValue && line.value == newValue)
            return;  // the line already says so: it stays as it is
        text = rewritten + lineBreakOf(text);
        line.hasValue = true;
        line.value = newValue;
        return;
    }
    // After the section's last line that is not blank, so the blank lines
    // before the next section stay there; only blank lines follow it.
    endLine(block.lines[block.end - 1]);
    const std::wstring added = key + L"=" + value;
    block.lines.insert(block.lines.begin() + static_cast<std::ptrdiff_t>(block.end), added + L"\r\n");
    KeyLine line{block.end, key, true, textOf(added, trimmed(added, {key.size() + 1, added.size()}))};
    block.keys.emplace(folded(key), std::move(line));
    ++block.end;
}

std::wstring ProfileDocument::text() const
{
    std::wstring result;
    for (const Block& block : blocks_) {
        for (const std::wstring& line : block.lines)
            result += line;
    }
    return result;
}

const ProfileDocument::KeyLine* ProfileDocument::find(const std::wstring& section, const std::wstring& key) const
{
    const auto block = firstBlock_.find(folded(section));
    if (block == firstBlock_.end())
        return nullptr;
    const auto& keys = blocks_[block->second].keys;
    const auto found = keys.find(folded(key));
    return found == keys.end() ? nullptr : &found->second;
}

ProfileDocument::Block& ProfileDocument::blockNamed(const std::wstring& section)
{
    const auto found = firstBlock_.find(folded(section));
    if (found != firstBlock_.end())
        return blocks_[found->second];
    for (auto block = blocks_.rbegin(); block != blocks_.rend(); ++block) {
        if (!block->lines.empty()) {
            endLine(block->lines.back());
            break;
        }
    }
    Block added;
    added.name = section;
    added.lines.push_back(L"[" + section + L"]\r\n");
    added.end = 1;
    firstBlock_.emplace(folded(section), blocks_.size());
    blocks_.push_back(std::move(added));
    return blocks_.back();
}
