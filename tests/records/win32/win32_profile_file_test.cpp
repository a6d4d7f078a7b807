#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ProfileFileContract.h"
#include "records/SettingsStore.h"
#include "win32/SettingsFileBytes.h"
#include "tests/support/win32/TemporaryDirectory.h"
#include "tests/support/win32/Win32ProfileFile.h"

namespace {

class Win32ProfileFileTest : public ::testing::Test {
protected:
    TemporaryDirectory directory;
    Win32ProfileFile file{kSettingsFilePath};
};

TEST_F(Win32ProfileFileTest, ReadsAsTheSettingsStoreExpects)
{
    checkProfileFileContract(file);
}

TEST_F(Win32ProfileFileTest, ANewFileIsUtf16)
{
    file.writeString(L"Brixol", L"Sound", L"1");
    EXPECT_TRUE(startsWithUtf16Mark(readSettingsBytes()));
    EXPECT_EQ(readUtf16SettingsLines(), (std::vector<std::wstring>{L"[Brixol]", L"Sound=1"}));
}

// The test runs with a Western code page (wine under LANG=C.UTF-8), where an
// ANSI file would turn the name into question marks.
TEST_F(Win32ProfileFileTest, JapaneseSurvivesANonJapaneseCodePage)
{
    RecordProperty("AnsiCodePage", static_cast<int>(GetACP()));
    const std::wstring name = L"名無しさん";
    file.writeString(L"HighScore0", L"Name", name);
    EXPECT_EQ(file.readString(L"HighScore0", L"Name", L""), name);
    Win32ProfileFile reopened{kSettingsFilePath};
    EXPECT_EQ(reopened.readString(L"HighScore0", L"Name", L""), name);
}

// A settings file in the ANSI code page is as valid as a UTF-16LE one:
// writing a key keeps it ANSI and keeps its other keys (turning it into
// UTF-16LE for a name that does not fit is the storage's decision).
TEST_F(Win32ProfileFileTest, AnExistingAnsiFileStaysAnsi)
{
    writeSettingsBytes("[Other]\r\nKey=Value\r\n[Brixol]\r\nSound=0\r\n");
    file.writeString(L"Brixol", L"Sound", L"1");
    file.writeString(L"Brixol", L"Guide", L"1");
    const std::string bytes = readSettingsBytes();
    EXPECT_FALSE(startsWithUtf16Mark(bytes));
    EXPECT_NE(bytes.find("Key=Value"), std::string::npos);
    EXPECT_NE(bytes.find("Sound=1"), std::string::npos);
    EXPECT_NE(bytes.find("Guide=1"), std::string::npos);
    EXPECT_EQ(bytes.find("Sound=0"), std::string::npos);
}

}  // namespace
