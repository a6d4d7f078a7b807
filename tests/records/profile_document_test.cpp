// The settings file's text in memory: read by the profile functions' rules
// (the same cases run against the platform under wine), and changed so that
// every line it does not change stays as it was.
#include <gtest/gtest.h>

#include <string>

#include "ProfileDocumentCases.h"
#include "ProfileFileContract.h"
#include "records/ProfileDocument.h"

namespace {

TEST(ProfileDocument, ReadsLikeTheProfileFunctions)
{
    ProfileDocument document;
    checkProfileFileContract(document);
}

TEST(ProfileDocument, ReadsOddFilesByTheProfileRules)
{
    for (const ProfileReadCase& c : profileReadCases()) {
        SCOPED_TRACE(c.what);
        const ProfileDocument document(c.text);
        EXPECT_EQ(document.readString(c.section, c.key, L"(default)"), c.expectedString);
        EXPECT_EQ(document.readInt(c.section, c.key, -77), c.expectedInt);
    }
}

TEST(ProfileDocument, ChangesOnlyTheLineOfTheKey)
{
    for (const ProfileWriteCase& c : profileWriteCases()) {
        SCOPED_TRACE(c.what);
        ProfileDocument document(c.before);
        document.writeString(c.section, c.key, c.value);
        EXPECT_EQ(document.text(), c.after);
        EXPECT_EQ(document.readString(c.section, c.key, L"(default)"), c.value);
        EXPECT_EQ(ProfileDocument(document.text()).readString(c.section, c.key, L"(default)"), c.value)
            << "read again from its text";
    }
}

// A value with white space around it reads as the file would read it again.
TEST(ProfileDocument, AWrittenValueReadsAsItsTextWouldRead)
{
    ProfileDocument document;
    document.writeString(L"HighScore0", L"Name", L" Bob ");
    document.writeString(L"HighScore0", L"Date", L"\"quoted\"");
    const ProfileDocument reread(document.text());
    for (const wchar_t* key : {L"Name", L"Date"}) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(key)));
        EXPECT_EQ(document.readString(L"HighScore0", key, L""), reread.readString(L"HighScore0", key, L""));
    }
    EXPECT_EQ(reread.readString(L"HighScore0", L"Name", L""), L"Bob");
    EXPECT_EQ(reread.readString(L"HighScore0", L"Date", L""), L"quoted");
}

}  // namespace
