// What the settings store does with its file, as one table of cases run
// against the in-memory fake natively and against a real file through the
// profile functions under wine, so that the two cannot drift apart.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "ExampleSettingsFile.h"
#include "RecordingReporter.h"
#include "ScoreRecordComparison.h"
#include "records/ProfileStorage.h"
#include "records/ScoreChecksum.h"
#include "records/SettingsStore.h"

// The settings file a case runs on.
class SettingsFileUnderTest {
public:
    virtual ~SettingsFileUnderTest() = default;

    // What every store of the case reads and saves.
    virtual ProfileStorage& storage() = 0;
    // Replaces the whole file with these lines.
    virtual void holdLines(const std::vector<std::wstring>& lines) = 0;
    // Leaves no file at all.
    virtual void remove() = 0;
    // The lines the file holds.
    virtual std::vector<std::wstring> lines() = 0;
};

struct SettingsStoreCase {
    const char* name;
    void (*check)(SettingsFileUnderTest& file);
};

namespace storeContract {

// A store on the file with its own reporters, as at one start of the program.
struct Start {
    explicit Start(SettingsFileUnderTest& file) : store(file.storage(), reporter, saveFailures) {}

    // A store that has been used before, so that loading must overwrite
    // every field rather than rely on the constructor's values.
    SettingsStore& stale()
    {
        store.sound = false;
        store.guide = true;
        store.windowLeft = 5;
        store.windowTop = 6;
        store.checkSum = 7;
        store.records = exampleRecords();
        return store;
    }

    SettingsStore& loaded()
    {
        store.load();
        return store;
    }

    RecordingReporter reporter;
    RecordingSaveFailureReporter saveFailures;
    SettingsStore store;
};

inline std::vector<std::wstring> replaced(std::vector<std::wstring> lines, const std::wstring& from,
                                          const std::wstring& to)
{
    std::replace(lines.begin(), lines.end(), from, to);
    return lines;
}

inline std::vector<std::wstring> without(std::vector<std::wstring> lines, const std::wstring& line)
{
    lines.erase(std::remove(lines.begin(), lines.end(), line), lines.end());
    return lines;
}

inline bool contains(const std::vector<std::wstring>& lines, const std::wstring& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

inline std::vector<std::wstring> exampleWithCount(const std::wstring& countLine, std::uint32_t storedCheckSum)
{
    return replaced(replaced(exampleFileLines(), L"HighScoreNum=2", countLine), L"CheckSum=191944150",
                    L"CheckSum=" + std::to_wstring(storedCheckSum));
}

inline void expectDefaultOptions(const SettingsStore& store)
{
    EXPECT_TRUE(store.sound);
    EXPECT_FALSE(store.guide);
    EXPECT_EQ(store.windowLeft, 0);
    EXPECT_EQ(store.windowTop, 0);
}

inline void missingPartsGiveTheDefaults(SettingsFileUnderTest& file)
{
    struct Case {
        const char* what;
        bool fileExists;
        std::vector<std::wstring> lines;
    };
    const Case cases[] = {
        {"no file", false, {}},
        {"no settings section", true, {L"[Other]", L"Sound=0", L"Guide=1", L"WindowLeft=9"}},
        {"no settings keys", true, {L"[Brixol]", L"Unrelated=1", L"[HighScore0]", L"Score=1000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.fileExists)
            file.holdLines(c.lines);
        else
            file.remove();
        Start start(file);
        start.stale();
        const SettingsStore& store = start.loaded();
        expectDefaultOptions(store);
        EXPECT_EQ(store.highScoreNum, 0);
        EXPECT_EQ(store.checkSum, 0u);
        EXPECT_TRUE(store.records.empty());
        EXPECT_EQ(start.reporter.reports, 0);
    }
}

inline void saveWritesEveryKeyInOrder(SettingsFileUnderTest& file)
{
    file.remove();
    Start start(file);
    fillWithExample(start.store);
    ASSERT_TRUE(start.store.save());
    EXPECT_EQ(file.lines(), exampleFileLines());
    EXPECT_EQ(start.store.highScoreNum, 2);
    EXPECT_EQ(start.store.checkSum, kExampleCheckSum);
}

inline void saveOfAnEmptyTableWritesNoEntrySection(SettingsFileUnderTest& file)
{
    file.remove();
    Start start(file);
    ASSERT_TRUE(start.store.save());
    const std::vector<std::wstring> expected = {L"[Brixol]",     L"Sound=1",        L"Guide=0",   L"WindowLeft=0",
                                                L"WindowTop=0", L"HighScoreNum=0", L"CheckSum=0"};
    EXPECT_EQ(file.lines(), expected);
}

inline void loadReadsTheExampleFile(SettingsFileUnderTest& file)
{
    file.holdLines(exampleFileLines());
    Start start(file);
    start.stale();
    const SettingsStore& store = start.loaded();
    EXPECT_TRUE(store.sound);
    EXPECT_FALSE(store.guide);
    EXPECT_EQ(store.windowLeft, 120);
    EXPECT_EQ(store.windowTop, 80);
    EXPECT_EQ(store.highScoreNum, 2);
    EXPECT_EQ(store.checkSum, kExampleCheckSum);
    EXPECT_EQ(store.records, exampleRecords());
    EXPECT_EQ(start.reporter.reports, 0);
}

inline void whatASaveWroteTheNextStartReads(SettingsFileUnderTest& file)
{
    file.remove();
    Start first(file);
    fillWithExample(first.store);
    ASSERT_TRUE(first.store.save());
    Start next(file);
    EXPECT_EQ(next.loaded().records, exampleRecords());
    EXPECT_EQ(next.store.windowLeft, 120);
    EXPECT_EQ(next.reporter.reports, 0);
}

inline void negativeCoordinatesTravelAsTheirBitPattern(SettingsFileUnderTest& file)
{
    file.remove();
    Start first(file);
    first.store.windowLeft = -8;
    first.store.windowTop = -2147483647 - 1;
    ASSERT_TRUE(first.store.save());
    EXPECT_TRUE(contains(file.lines(), L"WindowLeft=4294967288"));
    EXPECT_TRUE(contains(file.lines(), L"WindowTop=2147483648"));

    Start next(file);
    next.loaded();
    EXPECT_EQ(next.store.windowLeft, -8);
    EXPECT_EQ(next.store.windowTop, -2147483647 - 1);
}

inline void anyNonZeroOptionValueMeansOn(SettingsFileUnderTest& file)
{
    struct Case {
        const wchar_t* sound;
        const wchar_t* guide;
        bool soundOn;
        bool guideOn;
    };
    for (const Case& c : {Case{L"0", L"1", false, true}, Case{L"2", L"0", true, false},
                          Case{L"4294967295", L"7", true, true}}) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.sound) + L" " + c.guide));
        file.holdLines({L"[Brixol]", std::wstring(L"Sound=") + c.sound, std::wstring(L"Guide=") + c.guide});
        Start start(file);
        start.loaded();
        EXPECT_EQ(start.store.sound, c.soundOn);
        EXPECT_EQ(start.store.guide, c.guideOn);
    }
}

// Without a positive count the entry sections and the checksum are not even
// looked at: an emptied table is saved as count 0 and checksum 0.
inline void noPositiveCountMeansNoEntries(SettingsFileUnderTest& file)
{
    for (const wchar_t* countLine : {L"Unrelated=1", L"HighScoreNum=0", L"HighScoreNum=4294967295"}) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(countLine)));
        file.holdLines(exampleWithCount(countLine, 12345));
        Start start(file);
        start.stale();
        start.loaded();
        EXPECT_TRUE(start.store.records.empty());
        EXPECT_EQ(start.store.checkSum, 0u);
        EXPECT_EQ(start.reporter.reports, 0);
    }
}

inline void aMismatchReportsAndDiscardsOnlyTheEntries(SettingsFileUnderTest& file)
{
    file.holdLines(replaced(exampleFileLines(), L"Score=1000", L"Score=1001"));
    Start start(file);
    const SettingsStore& store = start.loaded();
    EXPECT_EQ(start.reporter.reports, 1);
    EXPECT_TRUE(store.records.empty());
    EXPECT_EQ(store.highScoreNum, 2);
    EXPECT_EQ(store.checkSum, kExampleCheckSum);
    EXPECT_EQ(store.windowLeft, 120);
    EXPECT_EQ(store.windowTop, 80);
}

inline void missingEntrySectionsReadAsZeroScoresThatCount(SettingsFileUnderTest& file)
{
    std::list<ScoreRecord> withThird = exampleRecords();
    withThird.push_back(ScoreRecord{});
    struct Case {
        const char* what;
        std::uint32_t storedCheckSum;
        int reports;
        std::list<ScoreRecord> records;
    };
    const Case cases[] = {
        {"checksum over three scores", computeScoreChecksum(withThird), 0, withThird},
        {"checksum over the two present", kExampleCheckSum, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        file.holdLines(exampleWithCount(L"HighScoreNum=3", c.storedCheckSum));
        Start start(file);
        start.loaded();
        EXPECT_EQ(start.reporter.reports, c.reports);
        EXPECT_EQ(start.store.records, c.records);
    }
}

// A count beyond the bound would otherwise read (and allocate) one record per
// unit of the count: two billion of them for the first case.
inline void anAbsurdCountIsTreatedAsDamage(SettingsFileUnderTest& file)
{
    struct Case {
        std::int32_t count;
        std::uint32_t storedCheckSum;
        int reports;
        std::size_t records;
    };
    const std::int32_t bound = SettingsStore::maxStoredEntries;
    const auto zeroScores = [](std::int32_t count) {
        return std::list<ScoreRecord>(static_cast<std::size_t>(count));
    };
    const Case cases[] = {
        {2000000000, 0u, 1, 0},
        {bound + 1, computeScoreChecksum(zeroScores(bound + 1)), 1, 0},
        {bound, computeScoreChecksum(zeroScores(bound)), 0, static_cast<std::size_t>(bound)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        file.holdLines({L"[Brixol]", L"WindowLeft=3", L"HighScoreNum=" + std::to_wstring(c.count),
                        L"CheckSum=" + std::to_wstring(c.storedCheckSum)});
        Start start(file);
        start.loaded();
        EXPECT_EQ(start.reporter.reports, c.reports);
        EXPECT_EQ(start.store.records.size(), c.records);
        EXPECT_EQ(start.store.highScoreNum, c.count);
        EXPECT_EQ(start.store.windowLeft, 3);
    }
}

inline void entriesKeepTheirOrderAndNumber(SettingsFileUnderTest& file)
{
    const std::list<ScoreRecord> unordered = {{L"a", L"d", 100, 1}, {L"b", L"d", 900, 2}, {L"c", L"d", 100, 3},
                                              {L"d", L"d", 50, 4},  {L"e", L"d", 70, 5},  {L"f", L"d", 800, 6},
                                              {L"g", L"d", 60, 7}};
    file.remove();
    Start first(file);
    first.store.records = unordered;
    ASSERT_TRUE(first.store.save());
    Start next(file);
    EXPECT_EQ(next.loaded().records, unordered);
    EXPECT_EQ(next.reporter.reports, 0);
}

inline void loadingTwiceDoesNotDuplicateEntries(SettingsFileUnderTest& file)
{
    file.holdLines(exampleFileLines());
    Start start(file);
    start.loaded();
    EXPECT_EQ(start.loaded().records, exampleRecords());
}

inline void sectionsBeyondASmallerCountStayAndAreIgnored(SettingsFileUnderTest& file)
{
    file.remove();
    Start first(file);
    fillWithExample(first.store);
    first.store.records.push_back({L"三番", L"2012/3/1", 100, 1});
    ASSERT_TRUE(first.store.save());
    first.store.records.resize(1);
    ASSERT_TRUE(first.store.save());
    EXPECT_TRUE(contains(file.lines(), L"[HighScore2]"));
    EXPECT_TRUE(contains(file.lines(), L"HighScoreNum=1"));

    Start next(file);
    EXPECT_EQ(next.loaded().records, std::list<ScoreRecord>{exampleRecords().front()});
    EXPECT_EQ(next.reporter.reports, 0);
}

inline void otherContentsOfTheFileSurviveASave(SettingsFileUnderTest& file)
{
    file.holdLines({L"[Other]", L"Key=Value", L"[Brixol]", L"Sound=0", L"Extra=kept"});
    Start start(file);
    fillWithExample(start.store);
    ASSERT_TRUE(start.store.save());
    const std::vector<std::wstring> lines = file.lines();
    EXPECT_TRUE(contains(lines, L"[Other]"));
    EXPECT_TRUE(contains(lines, L"Key=Value"));
    EXPECT_TRUE(contains(lines, L"Extra=kept"));
    EXPECT_TRUE(contains(lines, L"Sound=1"));
    EXPECT_FALSE(contains(lines, L"Sound=0"));
}

inline void longNamesAreCutWhenRead(SettingsFileUnderTest& file)
{
    const std::wstring longName(1500, L'長');
    file.remove();
    Start first(file);
    first.store.records = {ScoreRecord{longName, L"2012/3/5", 100, 1}};
    ASSERT_TRUE(first.store.save());
    Start next(file);
    ASSERT_EQ(next.loaded().records.size(), 1u);
    EXPECT_EQ(next.store.records.front().name, longName.substr(0, ProfileFile::maxStringLength));
    EXPECT_EQ(next.reporter.reports, 0);
}

inline std::list<ScoreRecord> exampleWith(const std::wstring& name, const std::wstring& date, std::int32_t lines)
{
    std::list<ScoreRecord> records = exampleRecords();
    records.front().name = name;
    records.front().date = date;
    records.front().lines = lines;
    return records;
}

// Only the scores and their number are protected; the checksum of the file
// stays at the value for 1000 and 500 throughout.
inline void anEditIsDetectedOnlyWhenItTouchesTheScores(SettingsFileUnderTest& file)
{
    struct Case {
        const char* what;
        std::vector<std::wstring> lines;
        int reports;
        std::list<ScoreRecord> records;
    };
    const std::vector<std::wstring> example = exampleFileLines();
    const Case cases[] = {
        {"first score raised", replaced(example, L"Score=1000", L"Score=1001"), 1, {}},
        {"entries swapped", replaced(replaced(replaced(example, L"Score=1000", L"Score=x"), L"Score=500", L"Score=1000"),
                                     L"Score=x", L"Score=500"),
         1, {}},
        {"count lowered to one", replaced(example, L"HighScoreNum=2", L"HighScoreNum=1"), 1, {}},
        {"count lowered to zero", replaced(example, L"HighScoreNum=2", L"HighScoreNum=0"), 0, {}},
        {"count removed", without(example, L"HighScoreNum=2"), 0, {}},
        {"name changed", replaced(example, L"Name=名無しさん", L"Name=改ざん"), 0,
         exampleWith(L"改ざん", L"2012/3/5", 12)},
        {"date changed", replaced(example, L"Date=2012/3/5", L"Date=2099/1/1"), 0,
         exampleWith(L"名無しさん", L"2099/1/1", 12)},
        {"lines changed", replaced(example, L"Lines=12", L"Lines=999"), 0, exampleWith(L"名無しさん", L"2012/3/5", 999)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        file.holdLines(c.lines);
        Start start(file);
        start.loaded();
        EXPECT_EQ(start.reporter.reports, c.reports);
        EXPECT_EQ(start.store.records, c.records);
        EXPECT_EQ(start.store.windowLeft, 120);
    }
}

}  // namespace storeContract

inline const std::vector<SettingsStoreCase>& settingsStoreContract()
{
    using namespace storeContract;
    static const std::vector<SettingsStoreCase> cases = {
        {"MissingPartsGiveTheDefaults", missingPartsGiveTheDefaults},
        {"SaveWritesEveryKeyInOrder", saveWritesEveryKeyInOrder},
        {"SaveOfAnEmptyTableWritesNoEntrySection", saveOfAnEmptyTableWritesNoEntrySection},
        {"LoadReadsTheExampleFile", loadReadsTheExampleFile},
        {"WhatASaveWroteTheNextStartReads", whatASaveWroteTheNextStartReads},
        {"NegativeCoordinatesTravelAsTheirBitPattern", negativeCoordinatesTravelAsTheirBitPattern},
        {"AnyNonZeroOptionValueMeansOn", anyNonZeroOptionValueMeansOn},
        {"NoPositiveCountMeansNoEntries", noPositiveCountMeansNoEntries},
        {"AMismatchReportsAndDiscardsOnlyTheEntries", aMismatchReportsAndDiscardsOnlyTheEntries},
        {"MissingEntrySectionsReadAsZeroScoresThatCount", missingEntrySectionsReadAsZeroScoresThatCount},
        {"AnAbsurdCountIsTreatedAsDamage", anAbsurdCountIsTreatedAsDamage},
        {"EntriesKeepTheirOrderAndNumber", entriesKeepTheirOrderAndNumber},
        {"LoadingTwiceDoesNotDuplicateEntries", loadingTwiceDoesNotDuplicateEntries},
        {"SectionsBeyondASmallerCountStayAndAreIgnored", sectionsBeyondASmallerCountStayAndAreIgnored},
        {"OtherContentsOfTheFileSurviveASave", otherContentsOfTheFileSurviveASave},
        {"LongNamesAreCutWhenRead", longNamesAreCutWhenRead},
        {"AnEditIsDetectedOnlyWhenItTouchesTheScores", anEditIsDetectedOnlyWhenItTouchesTheScores},
    };
    return cases;
}

inline std::string settingsStoreCaseName(const ::testing::TestParamInfo<SettingsStoreCase>& info)
{
    return info.param.name;
}
