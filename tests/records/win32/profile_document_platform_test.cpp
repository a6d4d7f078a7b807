// The in-memory document against the platform's profile functions on the
// same files: each odd file reads the same through both, and a write leaves
// both reading the same values.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ProfileDocumentCases.h"
#include "records/ProfileDocument.h"
#include "records/SettingsStore.h"
#include "records/StoredSettingsText.h"
#include "win32/SettingsFileBytes.h"
#include "tests/support/win32/TemporaryDirectory.h"
#include "tests/support/win32/Win32ProfileFile.h"

namespace {

TEST(ProfileDocumentPlatform, ReadsEachFileAsTheProfileFunctionsDo)
{
    for (const ProfileReadCase& c : profileReadCases()) {
        SCOPED_TRACE(c.what);
        const TemporaryDirectory directory;
        writeSettingsBytes(utf16LeWithMark(c.text));
        const Win32ProfileFile platform(kSettingsFilePath);
        const ProfileDocument document(c.text);
        EXPECT_EQ(platform.readString(c.section, c.key, L"(default)"), c.expectedString);
        EXPECT_EQ(platform.readInt(c.section, c.key, -77), c.expectedInt);
        EXPECT_EQ(document.readString(c.section, c.key, L"(default)"), c.expectedString);
        EXPECT_EQ(document.readInt(c.section, c.key, -77), c.expectedInt);
    }
}

TEST(ProfileDocumentPlatform, AWriteLeavesTheSameValuesAsTheProfileFunctionsLeave)
{
    const std::vector<std::pair<std::wstring, std::wstring>> probes = {
        {L"Brixol", L"Sound"}, {L"Brixol", L"Guide"}, {L"Other", L"Key"}, {L"HighScore0", L"Name"}};
    for (const ProfileWriteCase& c : profileWriteCases()) {
        SCOPED_TRACE(c.what);
        const TemporaryDirectory directory;
        if (!c.before.empty())
            writeSettingsBytes(utf16LeWithMark(c.before));
        Win32ProfileFile platform(kSettingsFilePath);
        platform.writeString(c.section, c.key, c.value);
        ProfileDocument document(c.before);
        document.writeString(c.section, c.key, c.value);
        for (const auto& probe : probes) {
            SCOPED_TRACE(::testing::PrintToString(probe.first + L"/" + probe.second));
            EXPECT_EQ(ProfileDocument(document.text()).readString(probe.first, probe.second, L"(default)"),
                      platform.readString(probe.first, probe.second, L"(default)"));
        }
    }
}

}  // namespace
