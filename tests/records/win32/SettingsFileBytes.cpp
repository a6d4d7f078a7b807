#include "win32/SettingsFileBytes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/support/SettingsTextLines.h"

namespace {

const char kFileName[] = "Brixol.ini";
const std::string kUtf16Mark = "\xFF\xFE";

std::wstring decodeUtf16(const std::string& bytes)
{
    std::wstring text;
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        const auto low = static_cast<unsigned char>(bytes[at]);
        const auto high = static_cast<unsigned char>(bytes[at + 1]);
        text.push_back(static_cast<wchar_t>(low | (high << 8)));
    }
    return text;
}

std::string encodeUtf16(const std::wstring& text)
{
    std::string bytes;
    for (const wchar_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
    return bytes;
}

}  // namespace

std::string readSettingsBytes()
{
    return readBytesOf(kFileName);
}

void writeSettingsBytes(const std::string& bytes)
{
    writeBytesOf(kFileName, bytes);
}

std::string readBytesOf(const char* name)
{
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytesOf(const char* name, const std::string& bytes)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(out.good()) << "cannot write " << name;
}

bool startsWithUtf16Mark(const std::string& bytes)
{
    return bytes.compare(0, kUtf16Mark.size(), kUtf16Mark) == 0;
}

std::vector<std::wstring> readUtf16SettingsLines()
{
    const std::string bytes = readSettingsBytes();
    EXPECT_TRUE(startsWithUtf16Mark(bytes)) << "not a UTF-16 file";
    return settingsTextLines(decodeUtf16(bytes.substr(kUtf16Mark.size())));
}

void writeUtf16SettingsLines(const std::vector<std::wstring>& lines)
{
    std::string bytes = kUtf16Mark;
    for (const std::wstring& line : lines) {
        bytes += encodeUtf16(line + L"\r\n");
    }
    writeSettingsBytes(bytes);
}
