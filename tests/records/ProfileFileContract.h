// What the settings store needs from any ProfileFile, checked against the
// in-memory fake natively and against the Windows profile functions under
// wine, so the fake cannot drift from the real thing.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "records/ProfileFile.h"

inline void checkNumberReading(ProfileFile& file)
{
    struct Case {
        const wchar_t* written;
        std::int32_t expected;
    };
    const Case cases[] = {
        {L"0", 0},
        {L"12", 12},
        {L"-8", -8},
        {L"4294967288", -8},
        {L"4294967295", -1},
        {L"2147483647", std::numeric_limits<std::int32_t>::max()},
        {L"2147483648", std::numeric_limits<std::int32_t>::min()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.written)));
        file.writeString(L"Numbers", L"Value", c.written);
        EXPECT_EQ(file.readInt(L"Numbers", L"Value", 77), c.expected);
    }
}

inline void checkMissingValuesGiveTheDefault(ProfileFile& file)
{
    file.writeString(L"Present", L"Key", L"5");
    EXPECT_EQ(file.readInt(L"Present", L"Other", 77), 77);
    EXPECT_EQ(file.readInt(L"Absent", L"Key", -3), -3);
    EXPECT_EQ(file.readString(L"Present", L"Other", L"fallback"), L"fallback");
    EXPECT_EQ(file.readString(L"Absent", L"Key", L""), L"");
}

inline void checkStringsComeBackUnchanged(ProfileFile& file)
{
    const std::wstring texts[] = {L"名無しさん", L"2012/3/5", L"a b", L"x=y"};
    for (const std::wstring& text : texts) {
        SCOPED_TRACE(::testing::PrintToString(text));
        file.writeString(L"Strings", L"Value", text);
        EXPECT_EQ(file.readString(L"Strings", L"Value", L"fallback"), text);
    }
}

inline void checkLongStringsAreCut(ProfileFile& file)
{
    const std::wstring longText = std::wstring(1000, L'a') + std::wstring(500, L'b');
    file.writeString(L"Strings", L"Long", longText);
    EXPECT_EQ(file.readString(L"Strings", L"Long", L""), longText.substr(0, ProfileFile::maxStringLength));
}

inline void checkProfileFileContract(ProfileFile& file)
{
    {
        SCOPED_TRACE("numbers");
        checkNumberReading(file);
    }
    {
        SCOPED_TRACE("missing values");
        checkMissingValuesGiveTheDefault(file);
    }
    {
        SCOPED_TRACE("strings");
        checkStringsComeBackUnchanged(file);
    }
    {
        SCOPED_TRACE("long strings");
        checkLongStringsAreCut(file);
    }
}
