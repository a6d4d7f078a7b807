// The settings store's contract on the in-memory fake of the settings file.
#include <gtest/gtest.h>

#include "FakeProfileStorage.h"
#include "SettingsStoreContract.h"

namespace {

class FakeSettingsFile : public SettingsFileUnderTest {
public:
    ProfileStorage& storage() override { return storage_; }
    void holdLines(const std::vector<std::wstring>& lines) override { storage_.stored = FakeProfileFile(lines); }
    void remove() override { storage_.stored = FakeProfileFile(); }
    std::vector<std::wstring> lines() override { return storage_.stored.lines(); }

private:
    FakeProfileStorage storage_;
};

class SettingsStoreOnTheFake : public ::testing::TestWithParam<SettingsStoreCase> {};

TEST_P(SettingsStoreOnTheFake, KeepsTheContract)
{
    FakeSettingsFile file;
    GetParam().check(file);
}

INSTANTIATE_TEST_SUITE_P(Contract, SettingsStoreOnTheFake, ::testing::ValuesIn(settingsStoreContract()),
                         settingsStoreCaseName);

}  // namespace
