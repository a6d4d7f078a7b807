// The settings store's contract on a real file, and random noise in the file.
#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "SettingsLoadRules.h"
#include "SettingsStoreContract.h"
#include "records/Win32ProfileStorage.h"
#include "win32/SettingsFileBytes.h"
#include "tests/support/win32/TemporaryDirectory.h"

namespace {

// A real file in a temporary current directory, read and written through the
// profile functions; a new file is UTF-16LE.
class RealSettingsFile : public SettingsFileUnderTest {
public:
    ProfileStorage& storage() override { return storage_; }
    void holdLines(const std::vector<std::wstring>& lines) override { writeUtf16SettingsLines(lines); }
    void remove() override { DeleteFileW(L"Brixol.ini"); }
    std::vector<std::wstring> lines() override { return readUtf16SettingsLines(); }

private:
    TemporaryDirectory directory_;
    Win32ProfileStorage storage_{kSettingsFilePath};
};

class SettingsStoreOnARealFile : public ::testing::TestWithParam<SettingsStoreCase> {};

TEST_P(SettingsStoreOnARealFile, KeepsTheContract)
{
    RealSettingsFile file;
    GetParam().check(file);
}

INSTANTIATE_TEST_SUITE_P(Contract, SettingsStoreOnARealFile, ::testing::ValuesIn(settingsStoreContract()),
                         settingsStoreCaseName);

// Pieces of real settings mixed with noise, so that the parser also meets
// counts, checksums and half-formed sections, not only garbage.
std::string randomSettingsBytes(std::mt19937& random)
{
    static const char* const pieces[] = {"[Brixol]", "[HighScore0]", "[HighScore1]", "HighScoreNum=", "CheckSum=",
                                         "Score=",   "Name=",        "\r\n",         "\n",             "=",
                                         "[",        "]",            "\xFF\xFE",     "4294967295",    "2000000000"};
    std::uniform_int_distribution<int> length(0, 200);
    std::uniform_int_distribution<int> choice(0, 3 + static_cast<int>(std::size(pieces)));
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes = random() % 2 == 0 ? "\xFF\xFE" : "";
    for (int n = length(random); n > 0; --n) {
        const int pick = choice(random);
        if (pick < static_cast<int>(std::size(pieces))) {
            bytes += pieces[pick];
        } else {
            bytes.push_back(static_cast<char>(byte(random)));
        }
    }
    return bytes;
}

TEST(SettingsFileNoise, NeverBreaksLoad)
{
    std::mt19937 random(20120305u);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        const TemporaryDirectory directory;
        writeSettingsBytes(randomSettingsBytes(random));
        Win32ProfileStorage file{kSettingsFilePath};
        RecordingReporter reporter;
        RecordingSaveFailureReporter saveFailures;
        SettingsStore store{file, reporter, saveFailures};
        store.load();
        expectLoadWithinTheRules(store, reporter.reports);
    }
}

}  // namespace
