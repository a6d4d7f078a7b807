#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "ExampleSettingsFile.h"
#include "RecordingReporter.h"
#include "ScoreRecordComparison.h"
#include "records/ScoreChecksum.h"
#include "records/SettingsStore.h"
#include "records/Win32ProfileStorage.h"
#include "win32/SettingsFileBytes.h"
#include "tests/support/win32/TemporaryDirectory.h"

namespace {

bool contains(const std::vector<std::wstring>& lines, const std::wstring& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::vector<std::wstring> replaced(std::vector<std::wstring> lines, const std::wstring& from, const std::wstring& to)
{
    std::replace(lines.begin(), lines.end(), from, to);
    return lines;
}

// Edits go through the profile functions themselves, as a user's editor
// would leave the file readable to them.
void edit(const wchar_t* section, const wchar_t* key, const wchar_t* value)
{
    ASSERT_TRUE(WritePrivateProfileStringW(section, key, value, kSettingsFilePath));
}

class SettingsFileTest : public ::testing::Test {
protected:
    // A second store on the same file, as at the next start of the program.
    SettingsStore& reloaded()
    {
        reloaded_.load();
        return reloaded_;
    }

    void saveExample()
    {
        fillWithExample(store);
        store.save();
    }

    TemporaryDirectory directory;
    Win32ProfileStorage file{kSettingsFilePath};
    RecordingReporter reporter;
    RecordingSaveFailureReporter saveFailures;
    SettingsStore store{file, reporter, saveFailures};

private:
    SettingsStore reloaded_{file, reporter, saveFailures};
};

TEST_F(SettingsFileTest, SaveIntoAnEmptyDirectoryWritesTheExampleFile)
{
    saveExample();
    EXPECT_EQ(readUtf16SettingsLines(), exampleFileLines());
}

TEST_F(SettingsFileTest, JapaneseNamesComeBack)
{
    saveExample();
    const SettingsStore& next = reloaded();
    EXPECT_EQ(next.records, exampleRecords());
    EXPECT_EQ(reporter.reports, 0);
}

TEST_F(SettingsFileTest, MissingPartsGiveTheDefaults)
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
        const TemporaryDirectory fresh;
        if (c.fileExists) {
            writeUtf16SettingsLines(c.lines);
        }
        SettingsStore loaded(file, reporter, saveFailures);
        loaded.sound = false;
        loaded.guide = true;
        loaded.windowLeft = loaded.windowTop = 5;
        loaded.load();
        EXPECT_TRUE(loaded.sound);
        EXPECT_FALSE(loaded.guide);
        EXPECT_EQ(loaded.windowLeft, 0);
        EXPECT_EQ(loaded.windowTop, 0);
        EXPECT_TRUE(loaded.records.empty());
        EXPECT_EQ(reporter.reports, 0);
    }
}

TEST_F(SettingsFileTest, NegativeCoordinatesTravelAsUnsignedDecimals)
{
    store.windowLeft = -8;
    store.windowTop = -8;
    store.save();
    const std::vector<std::wstring> lines = readUtf16SettingsLines();
    EXPECT_TRUE(contains(lines, L"WindowLeft=4294967288"));
    EXPECT_TRUE(contains(lines, L"WindowTop=4294967288"));
    EXPECT_EQ(reloaded().windowLeft, -8);
    EXPECT_EQ(reloaded().windowTop, -8);
}

TEST_F(SettingsFileTest, AMissingEntrySectionCountsAsAZeroScore)
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
        const TemporaryDirectory fresh;
        std::vector<std::wstring> lines = replaced(exampleFileLines(), L"HighScoreNum=2", L"HighScoreNum=3");
        lines = replaced(lines, L"CheckSum=191944150", L"CheckSum=" + std::to_wstring(c.storedCheckSum));
        writeUtf16SettingsLines(lines);
        reporter.reports = 0;
        SettingsStore loaded(file, reporter, saveFailures);
        loaded.load();
        EXPECT_EQ(reporter.reports, c.reports);
        EXPECT_EQ(loaded.records, c.records);
    }
}

struct EditCase {
    const char* name;
    void (*apply)();
    int reports;
    std::list<ScoreRecord> records;
};

std::list<ScoreRecord> exampleWith(const std::wstring& name, const std::wstring& date, std::int32_t lines)
{
    std::list<ScoreRecord> records = exampleRecords();
    records.front().name = name;
    records.front().date = date;
    records.front().lines = lines;
    return records;
}

class SettingsFileEdit : public SettingsFileTest, public ::testing::WithParamInterface<EditCase> {};

// Only the scores and their number are protected; the checksum of the file
// stays at the value for 1000 and 500 throughout.
TEST_P(SettingsFileEdit, IsDetectedOnlyWhenItTouchesTheScores)
{
    saveExample();
    GetParam().apply();
    const SettingsStore& next = reloaded();
    EXPECT_EQ(reporter.reports, GetParam().reports);
    EXPECT_EQ(next.records, GetParam().records);
    EXPECT_EQ(next.windowLeft, 120);
}

INSTANTIATE_TEST_SUITE_P(Edits, SettingsFileEdit,
    ::testing::Values(
        EditCase{"FirstScoreRaised", [] { edit(L"HighScore0", L"Score", L"1001"); }, 1, {}},
        EditCase{"EntriesSwapped",
                 [] {
                     edit(L"HighScore0", L"Score", L"500");
                     edit(L"HighScore1", L"Score", L"1000");
                 },
                 1, {}},
        EditCase{"CountLoweredToOne", [] { edit(L"Brixol", L"HighScoreNum", L"1"); }, 1, {}},
        EditCase{"CountLoweredToZero", [] { edit(L"Brixol", L"HighScoreNum", L"0"); }, 0, {}},
        EditCase{"CountRemoved", [] { edit(L"Brixol", L"HighScoreNum", nullptr); }, 0, {}},
        EditCase{"NameChanged", [] { edit(L"HighScore0", L"Name", L"改ざん"); }, 0,
                 exampleWith(L"改ざん", L"2012/3/5", 12)},
        EditCase{"DateChanged", [] { edit(L"HighScore0", L"Date", L"2099/1/1"); }, 0,
                 exampleWith(L"名無しさん", L"2099/1/1", 12)},
        EditCase{"LinesChanged", [] { edit(L"HighScore0", L"Lines", L"999"); }, 0,
                 exampleWith(L"名無しさん", L"2012/3/5", 999)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFileTest, LongNamesAreCutWhenRead)
{
    const std::wstring longName(1500, L'長');
    store.records = {ScoreRecord{longName, L"2012/3/5", 100, 1}};
    store.save();
    const SettingsStore& next = reloaded();
    ASSERT_EQ(next.records.size(), 1u);
    EXPECT_EQ(next.records.front().name, longName.substr(0, 1023));
    EXPECT_EQ(reporter.reports, 0);
}

TEST_F(SettingsFileTest, OtherContentsOfTheFileSurviveASave)
{
    writeUtf16SettingsLines({L"[Other]", L"Key=Value", L"[Brixol]", L"Sound=0", L"Extra=kept"});
    saveExample();
    const std::vector<std::wstring> lines = readUtf16SettingsLines();
    EXPECT_TRUE(contains(lines, L"[Other]"));
    EXPECT_TRUE(contains(lines, L"Key=Value"));
    EXPECT_TRUE(contains(lines, L"Extra=kept"));
    EXPECT_TRUE(contains(lines, L"Sound=1"));
    EXPECT_FALSE(contains(lines, L"Sound=0"));
}

TEST_F(SettingsFileTest, SectionsBeyondASmallerCountStayAndAreIgnored)
{
    fillWithExample(store);
    store.records.push_back({L"三番", L"2012/3/1", 100, 1});
    store.save();
    store.records.resize(1);
    store.save();
    const std::vector<std::wstring> lines = readUtf16SettingsLines();
    EXPECT_TRUE(contains(lines, L"[HighScore2]"));
    EXPECT_TRUE(contains(lines, L"HighScoreNum=1"));

    const SettingsStore& next = reloaded();
    EXPECT_EQ(next.records, std::list<ScoreRecord>{exampleRecords().front()});
    EXPECT_EQ(reporter.reports, 0);
}

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
        EXPECT_LE(reporter.reports, 1);
        EXPECT_LE(store.records.size(), static_cast<std::size_t>(SettingsStore::maxStoredEntries));
        if (reporter.reports == 1) {
            EXPECT_TRUE(store.records.empty());
        }
    }
}

}  // namespace
