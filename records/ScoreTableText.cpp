#include "records/ScoreTableText.h"

#include <cstddef>
#include <cstdint>

namespace {

const wchar_t kNoEntries[] = L"データはありません";

// wchar_t is UTF-16 on Windows but UTF-32 on Linux, where a character beyond
// the basic plane takes the place of a surrogate pair and counts twice.
std::size_t utf16Length(const std::wstring& text)
{
    std::size_t units = 0;
    for (const wchar_t c : text) {
        units += (static_cast<std::uint32_t>(c) >> 16) != 0 ? 2 : 1;
    }
    return units;
}

std::wstring padLeft(const std::wstring& text, std::size_t width)
{
    const std::size_t length = utf16Length(text);
    return length >= width ? text : std::wstring(width - length, L' ') + text;
}

std::wstring padLeft(long long number, std::size_t width)
{
    return padLeft(std::to_wstring(number), width);
}

std::wstring row(int rank, const ScoreRecord& record)
{
    return padLeft(rank, 2) + L":" + padLeft(record.name, 10) + padLeft(record.score, 6) +
           padLeft(record.lines, 4) + padLeft(record.date, 12) + L"\n\n";
}

}  // namespace

std::wstring buildScoreTableText(const std::list<ScoreRecord>& records)
{
    if (records.empty()) {
        return kNoEntries;
    }
    std::wstring text;
    int rank = 1;
    for (const ScoreRecord& record : records) {
        text += row(rank++, record);
    }
    return text;
}
