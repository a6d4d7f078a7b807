#include <gtest/gtest.h>

#include "FakeProfileFile.h"
#include "ProfileFileContract.h"

namespace {

TEST(FakeProfileFile, ReadsLikeTheProfileFunctions)
{
    FakeProfileFile file;
    checkProfileFileContract(file);
}

TEST(FakeProfileFile, ReplacesValuesInPlaceAndAppendsNewOnes)
{
    FakeProfileFile file({L"[Other]", L"Key=1", L"[Brixol]", L"Sound=0", L"Extra=kept"});
    file.writeString(L"Brixol", L"Sound", L"1");
    file.writeString(L"Brixol", L"Guide", L"0");
    file.writeString(L"HighScore0", L"Name", L"x");
    const std::vector<std::wstring> expected = {L"[Other]", L"Key=1",        L"[Brixol]", L"Sound=1",
                                                L"Extra=kept", L"Guide=0", L"[HighScore0]", L"Name=x"};
    EXPECT_EQ(file.lines(), expected);
}

}  // namespace
