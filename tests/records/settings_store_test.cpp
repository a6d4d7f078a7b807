#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ExampleSettingsFile.h"
#include "FakeProfileFile.h"
#include "FakeProfileStorage.h"
#include "RecordingReporter.h"
#include "ScoreRecordComparison.h"
#include "records/ScoreChecksum.h"
#include "records/SettingsStore.h"

namespace {

std::vector<std::wstring> replaced(std::vector<std::wstring> lines, const std::wstring& from, const std::wstring& to)
{
    std::replace(lines.begin(), lines.end(), from, to);
    return lines;
}

bool contains(const std::vector<std::wstring>& lines, const std::wstring& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::list<ScoreRecord> defaultRecords(std::size_t count)
{
    return std::list<ScoreRecord>(count);
}

class SettingsStoreTest : public ::testing::Test {
protected:
    // A store that has been used before, so that loading must overwrite
    // every field rather than rely on the constructor's values.
    void makeStale()
    {
        store.sound = false;
        store.guide = true;
        store.windowLeft = 5;
        store.windowTop = 6;
        store.checkSum = 7;
        store.records = exampleRecords();
    }

    void expectDefaultOptions() const
    {
        EXPECT_TRUE(store.sound);
        EXPECT_FALSE(store.guide);
        EXPECT_EQ(store.windowLeft, 0);
        EXPECT_EQ(store.windowTop, 0);
    }

    FakeProfileStorage file;
    RecordingReporter reporter;
    RecordingSaveFailureReporter saveFailures;
    SettingsStore store{file, reporter, saveFailures};
};

TEST_F(SettingsStoreTest, FirstStartGivesTheDefaults)
{
    makeStale();
    store.load();
    expectDefaultOptions();
    EXPECT_EQ(store.highScoreNum, 0);
    EXPECT_EQ(store.checkSum, 0u);
    EXPECT_TRUE(store.records.empty());
    EXPECT_EQ(reporter.reports, 0);
}

TEST_F(SettingsStoreTest, SaveWritesEveryKeyInOrder)
{
    fillWithExample(store);
    store.save();
    EXPECT_EQ(file.stored.lines(), exampleFileLines());
    EXPECT_EQ(store.highScoreNum, 2);
    EXPECT_EQ(store.checkSum, kExampleCheckSum);
}

TEST_F(SettingsStoreTest, SaveOfAnEmptyTableWritesNoEntrySection)
{
    store.save();
    const std::vector<std::wstring> expected = {L"[Brixol]",     L"Sound=1",        L"Guide=0",   L"WindowLeft=0",
                                                L"WindowTop=0", L"HighScoreNum=0", L"CheckSum=0"};
    EXPECT_EQ(file.stored.lines(), expected);
}

TEST_F(SettingsStoreTest, LoadReadsWhatSaveWrote)
{
    file.stored = FakeProfileFile(exampleFileLines());
    makeStale();
    store.load();
    EXPECT_TRUE(store.sound);
    EXPECT_FALSE(store.guide);
    EXPECT_EQ(store.windowLeft, 120);
    EXPECT_EQ(store.windowTop, 80);
    EXPECT_EQ(store.highScoreNum, 2);
    EXPECT_EQ(store.checkSum, kExampleCheckSum);
    EXPECT_EQ(store.records, exampleRecords());
    EXPECT_EQ(reporter.reports, 0);
}

TEST_F(SettingsStoreTest, NegativeCoordinatesTravelAsTheirBitPattern)
{
    store.windowLeft = -8;
    store.windowTop = -2147483647 - 1;
    store.save();
    EXPECT_EQ(file.stored.readString(L"Brixol", L"WindowLeft", L""), L"4294967288");
    EXPECT_EQ(file.stored.readString(L"Brixol", L"WindowTop", L""), L"2147483648");

    SettingsStore reloaded(file, reporter, saveFailures);
    reloaded.load();
    EXPECT_EQ(reloaded.windowLeft, -8);
    EXPECT_EQ(reloaded.windowTop, -2147483647 - 1);
}

TEST_F(SettingsStoreTest, AnyNonZeroOptionValueMeansOn)
{
    struct Case {
        const wchar_t* sound;
        const wchar_t* guide;
        bool soundOn;
        bool guideOn;
    };
    for (const Case& c : {Case{L"0", L"1", false, true}, Case{L"2", L"0", true, false},
                          Case{L"4294967295", L"7", true, true}}) {
        file.stored =
            FakeProfileFile({L"[Brixol]", std::wstring(L"Sound=") + c.sound, std::wstring(L"Guide=") + c.guide});
        store.load();
        EXPECT_EQ(store.sound, c.soundOn) << ::testing::PrintToString(std::wstring(c.sound));
        EXPECT_EQ(store.guide, c.guideOn) << ::testing::PrintToString(std::wstring(c.guide));
    }
}

// Without a positive count the entry sections and the checksum are not even
// looked at: an emptied table is saved as count 0 and checksum 0.
TEST_F(SettingsStoreTest, NoPositiveCountMeansNoEntries)
{
    for (const wchar_t* countLine : {L"Unrelated=1", L"HighScoreNum=0", L"HighScoreNum=4294967295"}) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(countLine)));
        std::vector<std::wstring> lines = replaced(exampleFileLines(), L"HighScoreNum=2", countLine);
        lines = replaced(lines, L"CheckSum=191944150", L"CheckSum=12345");
        file.stored = FakeProfileFile(lines);
        makeStale();
        store.load();
        EXPECT_TRUE(store.records.empty());
        EXPECT_EQ(store.checkSum, 0u);
        EXPECT_EQ(reporter.reports, 0);
    }
}

TEST_F(SettingsStoreTest, MismatchReportsAndDiscardsOnlyTheEntries)
{
    file.stored = FakeProfileFile(replaced(exampleFileLines(), L"Score=1000", L"Score=1001"));
    store.load();
    EXPECT_EQ(reporter.reports, 1);
    EXPECT_TRUE(store.records.empty());
    EXPECT_EQ(store.highScoreNum, 2);
    EXPECT_EQ(store.checkSum, kExampleCheckSum);
    EXPECT_EQ(store.windowLeft, 120);
    EXPECT_EQ(store.windowTop, 80);
}

TEST_F(SettingsStoreTest, MissingEntrySectionsReadAsDefaultRecordsThatCount)
{
    std::list<ScoreRecord> withThird = exampleRecords();
    withThird.push_back(ScoreRecord{});
    struct Case {
        std::uint32_t storedCheckSum;
        int reports;
        std::list<ScoreRecord> records;
    };
    for (const Case& c : {Case{computeScoreChecksum(withThird), 0, withThird}, Case{kExampleCheckSum, 1, {}}}) {
        SCOPED_TRACE(c.storedCheckSum);
        std::vector<std::wstring> lines = replaced(exampleFileLines(), L"HighScoreNum=2", L"HighScoreNum=3");
        lines = replaced(lines, L"CheckSum=191944150", L"CheckSum=" + std::to_wstring(c.storedCheckSum));
        file.stored = FakeProfileFile(lines);
        reporter.reports = 0;
        store.load();
        EXPECT_EQ(reporter.reports, c.reports);
        EXPECT_EQ(store.records, c.records);
    }
}

// A count beyond the bound would otherwise read (and allocate) one record per
// unit of the count: two billion of them for the first case.
TEST_F(SettingsStoreTest, AnAbsurdCountIsTreatedAsDamage)
{
    struct Case {
        std::int32_t count;
        std::uint32_t storedCheckSum;
        int reports;
        std::size_t records;
    };
    const std::int32_t bound = SettingsStore::maxStoredEntries;
    const Case cases[] = {
        {2000000000, 0u, 1, 0},
        {bound + 1, computeScoreChecksum(defaultRecords(bound + 1)), 1, 0},
        {bound, computeScoreChecksum(defaultRecords(bound)), 0, static_cast<std::size_t>(bound)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        file.stored = FakeProfileFile({L"[Brixol]", L"WindowLeft=3", L"HighScoreNum=" + std::to_wstring(c.count),
                                L"CheckSum=" + std::to_wstring(c.storedCheckSum)});
        reporter.reports = 0;
        store.load();
        EXPECT_EQ(reporter.reports, c.reports);
        EXPECT_EQ(store.records.size(), c.records);
        EXPECT_EQ(store.highScoreNum, c.count);
        EXPECT_EQ(store.windowLeft, 3);
    }
}

TEST_F(SettingsStoreTest, EntriesKeepFileOrderAndNumber)
{
    const std::list<ScoreRecord> unordered = {{L"a", L"d", 100, 1}, {L"b", L"d", 900, 2}, {L"c", L"d", 100, 3},
                                              {L"d", L"d", 50, 4},  {L"e", L"d", 70, 5},  {L"f", L"d", 800, 6},
                                              {L"g", L"d", 60, 7}};
    store.records = unordered;
    store.save();
    store.records.clear();
    store.load();
    EXPECT_EQ(store.records, unordered);
    EXPECT_EQ(reporter.reports, 0);
}

TEST_F(SettingsStoreTest, LoadingTwiceDoesNotDuplicateEntries)
{
    file.stored = FakeProfileFile(exampleFileLines());
    store.load();
    store.load();
    EXPECT_EQ(store.records, exampleRecords());
}

TEST_F(SettingsStoreTest, SectionsBeyondASmallerCountStayAndAreIgnored)
{
    fillWithExample(store);
    store.records.push_back({L"三番", L"2012/3/1", 100, 1});
    store.save();
    store.records.resize(1);
    store.save();
    EXPECT_TRUE(contains(file.stored.lines(), L"[HighScore2]"));
    EXPECT_TRUE(contains(file.stored.lines(), L"HighScoreNum=1"));

    store.load();
    EXPECT_EQ(store.records, std::list<ScoreRecord>{exampleRecords().front()});
    EXPECT_EQ(reporter.reports, 0);
}

}  // namespace
