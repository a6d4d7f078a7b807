// The lines of settings text as the profile functions split it: at each LF,
// a CR before it dropped; a last line without an LF still counts.
#pragma once

#include <string>
#include <vector>

inline std::vector<std::wstring> settingsTextLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}
