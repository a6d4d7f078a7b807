// Reading and writing "./Brixol.ini" byte for byte, beside the profile
// functions, to see the encoding and the layout they produce.
#pragma once

#include <string>
#include <vector>

std::string readSettingsBytes();
void writeSettingsBytes(const std::string& bytes);

// The same for any file of the current directory; a missing file reads empty.
std::string readBytesOf(const char* name);
void writeBytesOf(const char* name, const std::string& bytes);

bool startsWithUtf16Mark(const std::string& bytes);

// The lines of a UTF-16LE file with a byte-order mark, as the profile
// functions split them.
// Fails the test when the file is not of that kind.
std::vector<std::wstring> readUtf16SettingsLines();
// Writes the lines as the profile functions would: UTF-16LE, mark, CRLF.
void writeUtf16SettingsLines(const std::vector<std::wstring>& lines);
